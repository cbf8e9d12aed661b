// SPDX-License-Identifier: GPL-3.0-or-later
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
  if (w.syncing) return FALSE;
  int code = KeyCodeFromKeyval(e->keyval);
  if (code != 0) w.control->FireKeyDown(code, ShiftFromModifiers(e->state));
  // The character the key types, after its key-down, as the system sends them.
  int ascii = e->keyval == GDK_KEY_Return || e->keyval == GDK_KEY_KP_Enter
                  ? 13
                  : static_cast<int>(gdk_keyval_to_unicode(e->keyval));
  if (ascii > 0 && !(e->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK))) {
    w.control->FireKeyPress(ascii);
  }
  return FALSE;
}

gboolean OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (!w.syncing) w.control->FireGotFocus();
  return FALSE;
}

// The input filter's clipboard messages, as the entry's own key bindings send them.
void OnClipboardCommand(GtkWidget* widget, gpointer data, uint32_t message, const char* signal) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.control->Swallows(message)) g_signal_stop_emission_by_name(widget, signal);
}
void OnCut(GtkWidget* widget, gpointer data) {
  OnClipboardCommand(widget, data, 0x0300, "cut-clipboard");
}
void OnCopy(GtkWidget* widget, gpointer data) {
  OnClipboardCommand(widget, data, 0x0301, "copy-clipboard");
}
void OnPaste(GtkWidget* widget, gpointer data) {
  OnClipboardCommand(widget, data, 0x0302, "paste-clipboard");
}
gboolean OnPopupMenu(GtkWidget*, gpointer data) {
  return static_cast<ControlWidget*>(data)->control->Swallows(0x007B);
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

void ConnectFocus(GtkWidget* widget, ControlWidget& w) {
  g_signal_connect(widget, "focus-in-event", G_CALLBACK(OnFocusIn), &w);
}

void ConnectEntryFilter(GtkWidget* entry, ControlWidget& w) {
  g_object_set_data(G_OBJECT(entry), kControlDataKey, w.control);
  g_signal_connect(entry, "cut-clipboard", G_CALLBACK(OnCut), &w);
  g_signal_connect(entry, "copy-clipboard", G_CALLBACK(OnCopy), &w);
  g_signal_connect(entry, "paste-clipboard", G_CALLBACK(OnPaste), &w);
  g_signal_connect(entry, "popup-menu", G_CALLBACK(OnPopupMenu), &w);
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
