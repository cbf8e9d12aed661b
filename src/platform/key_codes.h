// SPDX-License-Identifier: GPL-3.0-or-later
// Key codes of KeyDown and characters of KeyPress the windows act on.
#pragma once

namespace tv {

inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;
inline constexpr int kCharEnter = 13;
inline constexpr int kCharEscape = 27;

}  // namespace tv
