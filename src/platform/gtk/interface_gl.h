// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's interface side opens an EGL display while the first window's views are
// made, although nothing it shows is drawn with GL here (GDK_GL=disable, no DMA-BUF
// renderer): that loads the software GL driver and its LLVM, some 20 MB of the program's
// memory. Until the loop first turns EGL finds no driver; then the user's own setting is
// back, for this process and whatever it starts, and a web process started meanwhile puts
// it back itself before it draws anything (its extension is given the setting).
#pragma once

#include <glib.h>

namespace tv {

// Before the toolkit starts, while the program still runs one thread; the setting comes
// back at the loop's first turn.
void HideGlDriverFromInterface();
// The user's own setting, "(bs)": whether there was one, and its value.
GVariant* GlDriverSetting();

inline constexpr char kGlVendorVariable[] = "__EGL_VENDOR_LIBRARY_FILENAMES";

}  // namespace tv
