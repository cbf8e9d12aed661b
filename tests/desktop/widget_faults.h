// SPDX-License-Identifier: GPL-3.0-or-later
// How a widget shows in its real window: found by what it shows, and whether it is cut
// short or reaches past the window's edge.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

namespace tv::test {

// The first widget under `root` that `match` accepts.
inline GtkWidget* FindWidget(GtkWidget* root, const std::function<bool(GtkWidget*)>& match) {
  if (match(root)) return root;
  if (!GTK_IS_CONTAINER(root)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(root));
  GtkWidget* found = nullptr;
  for (GList* l = children; l && !found; l = l->next)
    found = FindWidget(GTK_WIDGET(l->data), match);
  g_list_free(children);
  return found;
}

inline GtkWidget* LabelWith(GtkWidget* root, const std::string& text) {
  return FindWidget(root, [&](GtkWidget* w) {
    return GTK_IS_LABEL(w) && gtk_widget_get_mapped(w) && text == gtk_label_get_text(GTK_LABEL(w));
  });
}

// What is wrong with how `w` shows: cut short, or reaching past the window's edge.
inline std::string Fault(GtkWidget* w, const std::string& what) {
  if (!w) return what + ": not shown";
  GtkWidget* top = gtk_widget_get_toplevel(w);
  int natural_w = 0, natural_h = 0, x = 0, y = 0;
  gtk_widget_get_preferred_width(w, nullptr, &natural_w);
  gtk_widget_get_preferred_height(w, nullptr, &natural_h);
  gtk_widget_translate_coordinates(w, top, 0, 0, &x, &y);
  const int width = gtk_widget_get_allocated_width(w), height = gtk_widget_get_allocated_height(w);
  std::string fault;
  if (width < natural_w) fault += " narrower than its text";
  if (height < natural_h) fault += " lower than its text";
  if (x + width > gtk_widget_get_allocated_width(top) ||
      y + height > gtk_widget_get_allocated_height(top))
    fault += " past the window's edge";
  return fault.empty() ? "" : what + ":" + fault;
}

}  // namespace tv::test
