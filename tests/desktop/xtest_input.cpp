// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/xtest_input.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>

#include <cctype>
#include <vector>

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

void CtrlClick() {
  Display* d = XDisplay();
  const KeyCode ctrl = XKeysymToKeycode(d, XK_Control_L);
  XTestFakeKeyEvent(d, ctrl, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XTestFakeKeyEvent(d, ctrl, False, CurrentTime);
  XFlush(d);
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

void PressKeys(const std::string& keys) {
  PressKeysOn(XDisplay(), keys);
}

void PressKeysOn(void* x_display, const std::string& keys) {
  Display* d = static_cast<Display*>(x_display);
  std::vector<KeyCode> held;
  std::string rest = keys;
  for (size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size();) {
    const std::string mod = rest.substr(0, plus);
    held.push_back(XKeysymToKeycode(d, mod == "Ctrl"    ? XK_Control_L
                                       : mod == "Shift" ? XK_Shift_L
                                                        : XK_Alt_L));
    rest = rest.substr(plus + 1);
  }
  // A letter is named as its key is: Ctrl+T is the t key with Ctrl, not with Shift.
  if (rest.size() == 1)
    rest[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
  KeySym sym = XStringToKeysym(rest.c_str());
  if (sym == NoSymbol && rest.size() == 1) sym = static_cast<unsigned char>(rest[0]);
  // A key that needs Shift on this keyboard ("plus") gets it.
  const KeyCode code = XKeysymToKeycode(d, sym);
  if (XkbKeycodeToKeysym(d, code, 0, 0) != sym) held.push_back(XKeysymToKeycode(d, XK_Shift_L));
  for (KeyCode k : held) XTestFakeKeyEvent(d, k, True, CurrentTime);
  XTestFakeKeyEvent(d, code, True, CurrentTime);
  XTestFakeKeyEvent(d, code, False, CurrentTime);
  for (auto k = held.rbegin(); k != held.rend(); ++k) XTestFakeKeyEvent(d, *k, False, CurrentTime);
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
