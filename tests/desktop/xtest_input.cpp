#include "desktop/xtest_input.h"

#include <X11/extensions/XTest.h>
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

}  // namespace tv::test
