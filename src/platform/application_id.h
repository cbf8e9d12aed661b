// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one name on the desktop: application id, desktop entry, icon, AppStream
// component, window class and Wayland app id.
#pragma once

namespace tv {

inline constexpr const char* kApplicationId = "io.github.tessaview.Tessaview";
inline constexpr const char* kDesktopEntryName = "io.github.tessaview.Tessaview.desktop";

}  // namespace tv
