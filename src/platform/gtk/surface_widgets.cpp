// Labels and drawing surfaces (picture boxes, images): they paint their colour and pass
// mouse input to the control's handlers. Neither has a window of its own, so controls
// placed over a panel stay visible; an input-only box above them catches the mouse.
#include "platform/gtk/control_widget.h"
#include "platform/gtk/css_colors.h"
#include "platform/gtk/key_codes.h"

namespace tv {

namespace {

constexpr int kTwipsPerPixel = 15;

int ButtonBit(guint button) {
  switch (button) {
    case 1:
      return 1;
    case 3:
      return 2;
    case 2:
      return 4;
    default:
      return 0;
  }
}

int HeldButtons(guint state) {
  int held = 0;
  if (state & GDK_BUTTON1_MASK) held |= 1;
  if (state & GDK_BUTTON3_MASK) held |= 2;
  if (state & GDK_BUTTON2_MASK) held |= 4;
  return held;
}

MouseArgs Args(int button, guint state, double x, double y) {
  MouseArgs a;
  a.button = button;
  a.shift = ShiftFromModifiers(state);
  a.x = static_cast<int>(x * kTwipsPerPixel);
  a.y = static_cast<int>(y * kTwipsPerPixel);
  return a;
}

gboolean OnPress(GtkWidget*, GdkEventButton* e, gpointer data) {
  Control& c = *static_cast<ControlWidget*>(data)->control;
  if (e->type == GDK_2BUTTON_PRESS) {
    c.FireDblClick();
  } else if (e->type == GDK_BUTTON_PRESS && c.MouseDown) {
    c.MouseDown(Args(ButtonBit(e->button), e->state, e->x, e->y));
  }
  return FALSE;
}

gboolean OnRelease(GtkWidget* widget, GdkEventButton* e, gpointer data) {
  Control& c = *static_cast<ControlWidget*>(data)->control;
  if (c.MouseUp) c.MouseUp(Args(ButtonBit(e->button), e->state, e->x, e->y));
  // A click is a release over the control, as with a button.
  if (e->button == 1 && e->x >= 0 && e->y >= 0 && e->x < gtk_widget_get_allocated_width(widget) &&
      e->y < gtk_widget_get_allocated_height(widget)) {
    c.FireClick();
  }
  return FALSE;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* e, gpointer data) {
  Control& c = *static_cast<ControlWidget*>(data)->control;
  if (c.MouseMove) c.MouseMove(Args(HeldButtons(e->state), e->state, e->x, e->y));
  return FALSE;
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* e, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  int code = KeyCodeFromKeyval(e->keyval);
  if (code != 0 && !w.syncing) w.control->FireKeyDown(code, ShiftFromModifiers(e->state));
  return FALSE;
}

gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer data) {
  Control& c = *static_cast<ControlWidget*>(data)->control;
  PaintColor(cr, c.BackColor(), gtk_widget_get_allocated_width(widget),
             gtk_widget_get_allocated_height(widget));
  return FALSE;
}

}  // namespace

void ConnectMouse(GtkWidget* widget, ControlWidget& w) {
  gtk_widget_add_events(widget,
                        GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK);
  g_signal_connect(widget, "button-press-event", G_CALLBACK(OnPress), &w);
  g_signal_connect(widget, "button-release-event", G_CALLBACK(OnRelease), &w);
  g_signal_connect(widget, "motion-notify-event", G_CALLBACK(OnMotion), &w);
}

void ConnectKeys(GtkWidget* widget, ControlWidget& w) {
  g_signal_connect(widget, "key-press-event", G_CALLBACK(OnKeyPress), &w);
}

void BuildSurfaceControl(ControlWidget& w) {
  if (w.control->Kind() == ControlKind::Label) {
    w.inner = gtk_label_new(nullptr);
    gtk_label_set_xalign(GTK_LABEL(w.inner), 0.0f);
    gtk_label_set_ellipsize(GTK_LABEL(w.inner), PANGO_ELLIPSIZE_END);
    gtk_label_set_single_line_mode(GTK_LABEL(w.inner), TRUE);
  } else {
    w.inner = gtk_drawing_area_new();
    gtk_widget_set_has_window(w.inner, FALSE);
    g_signal_connect(w.inner, "draw", G_CALLBACK(OnDraw), &w);
  }
  w.outer = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(w.outer), FALSE);
  gtk_container_add(GTK_CONTAINER(w.outer), w.inner);
  ConnectMouse(w.outer, w);
}

}  // namespace tv
