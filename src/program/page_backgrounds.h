// SPDX-License-Identifier: GPL-3.0-or-later
// The page backgrounds the gallery's and the web gallery's background commands step
// through, after the white a page starts on.
#pragma once

namespace tv {

inline constexpr const char* kStartBackground = "#FFFFFF";
inline constexpr const char* kBackgroundCycle[] = {"#FF0000", "#CC6600", "#FFFF00",
                                                   "#33CC00", "#33FFCC", "#3300FF",
                                                   "#FF00FF", "#000000", "#FFFFFF"};
inline constexpr int kBackgroundCount = sizeof(kBackgroundCycle) / sizeof(kBackgroundCycle[0]);

}  // namespace tv
