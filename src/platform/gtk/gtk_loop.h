// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop message loop on the GLib main context. Wheel turns and right-button
// releases over the program's windows are captured before any widget sees them, so the
// main loop decides what they do; the right-button press is dropped with them, so no
// view opens a context menu of its own.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <map>

#include "platform/message_loop.h"

namespace tv {

class GtkLoop : public MessageLoop {
 public:
  GtkLoop();
  ~GtkLoop() override;
  GtkLoop(const GtkLoop&) = delete;
  GtkLoop& operator=(const GtkLoop&) = delete;

  void WaitMessage() override;
  void DoEvents() override;
  void Sleep(int ms) override;
  void TimerChanged(Control& timer) override;
  void ControlDestroyed(Control& control) override;
  uint64_t TickMs() const override;

  // A widget that holds a window's surface: input inside it is aimed at `form`.
  void AddWindow(GtkWidget* widget, Form& form);
  void RemoveWindow(GtkWidget* widget);

  // Decides whether GDK event `e` is captured; true when it must not be delivered.
  bool Capture(GdkEvent* e);

 private:
  Form* FormOf(GdkWindow* window) const;
  static gboolean OnTimer(gpointer data);

  std::map<GtkWidget*, Form*> windows_;
  std::map<Control*, guint> timers_;
  gint64 start_us_;
  bool idle_done_ = false;
};

}  // namespace tv
