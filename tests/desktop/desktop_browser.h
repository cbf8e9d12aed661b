// SPDX-License-Identifier: GPL-3.0-or-later
// The browser frame on the desktop front-end, opened from the real gallery: where its
// controls are on the screen and the widgets that draw them.
#pragma once

#include <string>

#include "desktop/desktop_gallery.h"
#include "frame/form_explore.h"
#include "program/browser_state.h"

namespace tv::test {

// The fixed surface a window's controls sit on: the box's last child, below the menu bar.
inline GtkWidget* Surface(GtkWindow* window) {
  GtkWidget* box = gtk_bin_get_child(GTK_BIN(window));
  GList* children = gtk_container_get_children(GTK_CONTAINER(box));
  GtkWidget* surface = children ? GTK_WIDGET(g_list_last(children)->data) : nullptr;
  g_list_free(children);
  return surface;
}

// The centre of a control of `form` on the screen.
inline ScreenPoint CentreOf(Form& form, const Control& c) {
  GtkWindow* window = ToplevelOf(&form);
  int x = 0, y = 0, ox = 0, oy = 0;
  gtk_widget_translate_coordinates(Surface(window), GTK_WIDGET(window),
                                   (c.Left() + c.Width() / 2) / 15, (c.Top() + c.Height() / 2) / 15,
                                   &x, &y);
  gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(window)), &ox, &oy);
  return {x + ox, y + oy};
}

class DesktopBrowserTest : public DesktopGalleryTest {
 protected:
  FormExplore& Frame() { return *dynamic_cast<FormExplore*>(App().FindWindow("FormExplore")); }
  BrowserState& Browser() { return State().browser; }

  // The first step of a run: the browser opened from the gallery's button.
  void OpenBrowser() {
    Settle();
    Gallery().FindControl("Command6")->FireClick();
  }
  // A real left click on control `c` of `form`, with the window in front.
  void Click(Form& form, const Control& c) {
    gtk_window_present(ToplevelOf(&form));
    Pause(100);
    MovePointer(CentreOf(form, c));
    Pause(150);
    PressAndRelease(1);
    Pause(250);
  }
  // Waits for the first tab.
  bool FirstTab() {
    return WaitUntil([&] { return Browser().TabCount == 1; });
  }
};

}  // namespace tv::test
