// SPDX-License-Identifier: GPL-3.0-or-later
// Real pointer input for desktop tests, made by the X server's test extension, so it
// travels the same way as a person's mouse. Kept apart: the X headers define names
// (None, Bool, Status) that clash with other code.
#pragma once

#include <string>

namespace tv::test {

struct ScreenPoint {
  int x = 0, y = 0;
};

void MovePointer(ScreenPoint p);
// Button 3 is the right button; 4 and 5 are a wheel notch up and down.
void PressAndRelease(unsigned button);
// A left click with Ctrl held.
void CtrlClick();
// A key pressed with Ctrl held, by its key symbol's name ("q").
void PressCtrlKey(const char* key);
// A key combination as the menus name it ("Ctrl+Shift+Tab", "Page_Down", "Alt+Left").
void PressKeys(const std::string& keys);
// The same on an X display of the caller's own (a `Display*`), for programs without GDK.
void PressKeysOn(void* x_display, const std::string& keys);
// The X window class of a GTK window: "instance.class".
struct WindowClass {
  bool found = false;
  std::string instance, klass;
};
WindowClass ClassOf(void* gdk_window);

}  // namespace tv::test
