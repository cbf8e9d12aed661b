// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/gtk_loop.h"

#include "platform/control.h"
#include "platform/form.h"
#include "platform/gtk/control_widget.h"

namespace tv {

namespace {

// Pending sources are drained at most this long, so a page that keeps the context busy
// cannot hold a caller inside DoEvents.
constexpr gint64 kDoEventsBudgetUs = 200 * 1000;

void DispatchEvent(GdkEvent* e, gpointer data) {
  if (static_cast<GtkLoop*>(data)->Capture(e)) return;
  gtk_main_do_event(e);
}

void DefaultDispatch(GdkEvent* e, gpointer) {
  gtk_main_do_event(e);
}

// One notch per event: negative is towards the user (down). 0 for sideways scrolling.
int WheelDelta(GdkEvent* e) {
  GdkScrollDirection direction;
  if (gdk_event_get_scroll_direction(e, &direction)) {
    if (direction == GDK_SCROLL_UP) return 120;
    if (direction == GDK_SCROLL_DOWN) return -120;
    return 0;
  }
  gdouble dx = 0, dy = 0;
  if (gdk_event_get_scroll_deltas(e, &dx, &dy)) {
    if (dy > 0) return -120;
    if (dy < 0) return 120;
  }
  return 0;
}

gboolean SetFlag(gpointer data) {
  *static_cast<bool*>(data) = true;
  return G_SOURCE_REMOVE;
}

}  // namespace

GtkLoop::GtkLoop() : start_us_(g_get_monotonic_time()) {
  gdk_event_handler_set(DispatchEvent, this, nullptr);
}

GtkLoop::~GtkLoop() {
  gdk_event_handler_set(DefaultDispatch, nullptr, nullptr);
  for (auto& [control, id] : timers_) g_source_remove(id);
}

void GtkLoop::WaitMessage() {
  if (HasInput() || g_main_context_pending(nullptr)) return;
  if (idle_work && !idle_done_) {
    if (!idle_work()) idle_done_ = true;
    return;
  }
  g_main_context_iteration(nullptr, TRUE);
}

void GtkLoop::DoEvents() {
  // Captured input the main loop did not take is dropped here, as dispatching it would.
  DropUntakenInput();
  gint64 end = g_get_monotonic_time() + kDoEventsBudgetUs;
  while (g_main_context_pending(nullptr) && g_get_monotonic_time() < end) {
    g_main_context_iteration(nullptr, FALSE);
  }
}

void GtkLoop::Sleep(int ms) {
  if (ms <= 0) {
    DoEvents();
    return;
  }
  bool due = false;
  g_timeout_add(static_cast<guint>(ms), SetFlag, &due);
  while (!due) g_main_context_iteration(nullptr, TRUE);
}

gboolean GtkLoop::OnTimer(gpointer data) {
  auto* control = static_cast<Control*>(data);
  // The handler may stop, re-arm or destroy this timer; its source is then gone already.
  if (control->TimerTick) control->TimerTick();
  return G_SOURCE_CONTINUE;
}

void GtkLoop::TimerChanged(Control& timer) {
  ControlDestroyed(timer);
  if (timer.Interval() <= 0 || !timer.TimerEnabled()) return;
  timers_[&timer] = g_timeout_add(static_cast<guint>(timer.Interval()), OnTimer, &timer);
}

void GtkLoop::ControlDestroyed(Control& control) {
  auto it = timers_.find(&control);
  if (it == timers_.end()) return;
  g_source_remove(it->second);
  timers_.erase(it);
}

uint64_t GtkLoop::TickMs() const {
  return static_cast<uint64_t>((g_get_monotonic_time() - start_us_) / 1000);
}

void GtkLoop::AddWindow(GtkWidget* widget, Form& form) {
  windows_[widget] = &form;
}

void GtkLoop::RemoveWindow(GtkWidget* widget) {
  auto it = windows_.find(widget);
  if (it == windows_.end()) return;
  Form* form = it->second;
  windows_.erase(it);
  // Queued input must not outlive the window it names.
  DropInputOf(form);
}

Form* GtkLoop::FormOf(GdkWindow* window) const {
  GtkWidget* widget = nullptr;
  for (GdkWindow* w = window; w && !widget; w = gdk_window_get_parent(w)) {
    gpointer data = nullptr;
    gdk_window_get_user_data(w, &data);
    if (data && GTK_IS_WIDGET(data)) widget = GTK_WIDGET(data);
  }
  for (; widget; widget = gtk_widget_get_parent(widget)) {
    auto it = windows_.find(widget);
    if (it != windows_.end()) return it->second;
  }
  return nullptr;
}

namespace {

bool FilteredControlAt(GdkWindow* window) {
  gpointer data = nullptr;
  if (window) gdk_window_get_user_data(window, &data);
  for (GtkWidget* w = data ? GTK_WIDGET(data) : nullptr; w; w = gtk_widget_get_parent(w)) {
    auto* c = static_cast<Control*>(g_object_get_data(G_OBJECT(w), kControlDataKey));
    if (c) return c->Swallows(0x007B);
  }
  return false;
}

}  // namespace

bool GtkLoop::Capture(GdkEvent* e) {
  GdkEventType type = e->type;
  bool scroll = type == GDK_SCROLL;
  bool press = type == GDK_BUTTON_PRESS || type == GDK_2BUTTON_PRESS || type == GDK_3BUTTON_PRESS;
  bool release = type == GDK_BUTTON_RELEASE;
  if (!scroll && !press && !release) return false;
  if ((press || release) && e->button.button != 3) return false;
  Form* form = FormOf(e->any.window);
  if (!form) return false;
  // A box with the input filter shows no menu of its own but still hears the release
  // (a tab label's menu opens on it).
  if (release && FilteredControlAt(e->any.window)) return false;
  // A modal dialog owns the input; GTK drops what reaches other windows.
  if (GtkWidget* grab = gtk_grab_get_current()) {
    gpointer data = nullptr;
    gdk_window_get_user_data(gdk_window_get_toplevel(e->any.window), &data);
    if (data != gtk_widget_get_toplevel(grab)) return false;
  }
  if (scroll) {
    int delta = WheelDelta(e);
    if (delta == 0) return false;
    Post({InputMessage::Kind::Wheel, form, delta});
  } else if (release) {
    Post({InputMessage::Kind::RightButtonUp, form, 0});
  }
  return true;
}

}  // namespace tv
