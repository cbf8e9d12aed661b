// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/shrink_fixed.h"

extern "C" {

typedef struct {
  GtkFixed parent;
} TvShrinkFixed;

typedef struct {
  GtkFixedClass parent_class;
} TvShrinkFixedClass;

G_DEFINE_TYPE(TvShrinkFixed, tv_shrink_fixed, GTK_TYPE_FIXED)

static void tv_shrink_fixed_width(GtkWidget* widget, gint* minimum, gint* natural) {
  GTK_WIDGET_CLASS(tv_shrink_fixed_parent_class)->get_preferred_width(widget, minimum, natural);
  *minimum = 0;
}

static void tv_shrink_fixed_height(GtkWidget* widget, gint* minimum, gint* natural) {
  GTK_WIDGET_CLASS(tv_shrink_fixed_parent_class)->get_preferred_height(widget, minimum, natural);
  *minimum = 0;
}

static void tv_shrink_fixed_class_init(TvShrinkFixedClass* klass) {
  GtkWidgetClass* widget_class = GTK_WIDGET_CLASS(klass);
  widget_class->get_preferred_width = tv_shrink_fixed_width;
  widget_class->get_preferred_height = tv_shrink_fixed_height;
}

static void tv_shrink_fixed_init(TvShrinkFixed*) {}

}  // extern "C"

namespace tv {

GtkWidget* NewShrinkFixed() {
  return GTK_WIDGET(g_object_new(tv_shrink_fixed_get_type(), nullptr));
}

}  // namespace tv
