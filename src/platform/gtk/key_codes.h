// SPDX-License-Identifier: GPL-3.0-or-later
// Key codes as the logic's key handlers know them (38 up, 40 down, 13 Enter ...).
#pragma once

#include <gdk/gdk.h>

namespace tv {

// The key code of a GDK key value; 0 for keys the logic has no code for.
int KeyCodeFromKeyval(guint keyval);
// Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftFromModifiers(guint state);

}  // namespace tv
