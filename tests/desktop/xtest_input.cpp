// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/xtest_input.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>

namespace tv::test {

namespace {

Display* XDisplay() {
  return GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
}

}  // namespace

void MovePointer(ScreenPoint p) {
  XTestFakeMotionEvent(XDisplay(), -1, p.x, p.y, CurrentTime);
  XFlush(XDisplay());
}

void PressAndRelease(unsigned button) {
  XTestFakeButtonEvent(XDisplay(), button, True, CurrentTime);
  XTestFakeButtonEvent(XDisplay(), button, False, CurrentTime);
  XFlush(XDisplay());
}

void PressCtrlKey(const char* key) {
  Display* d = XDisplay();
  const KeyCode ctrl = XKeysymToKeycode(d, XK_Control_L);
  const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(key));
  XTestFakeKeyEvent(d, ctrl, True, CurrentTime);
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  XTestFakeKeyEvent(d, ctrl, False, CurrentTime);
  XFlush(d);
}

WindowClass ClassOf(void* gdk_window) {
  WindowClass out;
  XClassHint hint{};
  if (!XGetClassHint(XDisplay(), GDK_WINDOW_XID(static_cast<GdkWindow*>(gdk_window)), &hint)) {
    return out;
  }
  out.found = true;
  out.instance = hint.res_name ? hint.res_name : "";
  out.klass = hint.res_class ? hint.res_class : "";
  XFree(hint.res_name);
  XFree(hint.res_class);
  return out;
}

}  // namespace tv::test
