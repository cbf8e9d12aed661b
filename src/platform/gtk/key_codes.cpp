// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/key_codes.h"

#include <gdk/gdkkeysyms.h>

namespace tv {

int KeyCodeFromKeyval(guint keyval) {
  guint upper = gdk_keyval_to_upper(keyval);
  if (upper >= GDK_KEY_A && upper <= GDK_KEY_Z) return static_cast<int>('A' + (upper - GDK_KEY_A));
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9)
    return static_cast<int>('0' + (keyval - GDK_KEY_0));
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
    return 96 + static_cast<int>(keyval - GDK_KEY_KP_0);
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12)
    return 112 + static_cast<int>(keyval - GDK_KEY_F1);
  switch (keyval) {
    case GDK_KEY_BackSpace:
      return 8;
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab:
      return 9;
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
      return 13;
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R:
      return 16;
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R:
      return 17;
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
      return 18;
    case GDK_KEY_Escape:
      return 27;
    case GDK_KEY_space:
      return 32;
    case GDK_KEY_Page_Up:
    case GDK_KEY_KP_Page_Up:
      return 33;
    case GDK_KEY_Page_Down:
    case GDK_KEY_KP_Page_Down:
      return 34;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
      return 35;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
      return 36;
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
      return 37;
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
      return 38;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
      return 39;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down:
      return 40;
    case GDK_KEY_Insert:
    case GDK_KEY_KP_Insert:
      return 45;
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete:
      return 46;
    default:
      return 0;
  }
}

int ShiftFromModifiers(guint state) {
  int shift = 0;
  if (state & GDK_SHIFT_MASK) shift |= 1;
  if (state & GDK_CONTROL_MASK) shift |= 2;
  if (state & GDK_MOD1_MASK) shift |= 4;
  return shift;
}

}  // namespace tv
