// SPDX-License-Identifier: GPL-3.0-or-later
// Every setting the program keeps: where it is stored, what it holds, its fallback and
// range, and who reads it. The windows read and write settings through these entries.
#pragma once

#include <cstdint>

#include "settings/settings_store.h"

namespace tv {

enum class SettingKind {
  Number,  // an integer in [min, max]
  Switch,  // 0 or 1 for the options dialog; the frame takes any integer, non-zero is on
  Text,    // at least `min` characters, else the fallback
};

struct Setting {
  const char* section;
  const char* key;
  SettingKind kind;
  const char* fallback;  // what a missing or unfit value reads as ("" leaves the reader's own)
  int32_t min;
  int32_t max;
  const char* read_by;
};

// clang-format off
inline constexpr Setting kPicturesPerPage{"Main", "PageFileCount", SettingKind::Number, "30", 30, 200, "the gallery at load; written by 系统设置"};
inline constexpr Setting kShellMenu{"setup", "RightMenu", SettingKind::Switch, "0", 0, 1, "the gallery at load (1 puts the folder menu up); written by 驻在文件夹菜单上"};
inline constexpr Setting kHomePage{"setup", "Homepage", SettingKind::Text, kDefaultHomePage, 15, 0, "the frame at load and the options dialog"};
inline constexpr Setting kBlockPopUps{"setup", "Pop", SettingKind::Switch, "1", INT32_MIN, INT32_MAX, "written by the frame at load and by the options dialog"};
inline constexpr Setting kJumpWindows{"setup", "JumpWindows", SettingKind::Switch, "1", INT32_MIN, INT32_MAX, "written by the frame at load and by the options dialog"};
inline constexpr Setting kBackgroundWindows{"setup", "Topme", SettingKind::Switch, "", INT16_MIN, INT16_MAX, "the frame at load and the options dialog"};
inline constexpr Setting kAutoDownload{"setup", "Download", SettingKind::Switch, "", INT32_MIN, INT32_MAX, "the frame at load and the options dialog"};
inline constexpr Setting kFetchLarger{"setup", "FetchLarger", SettingKind::Switch, "", INT32_MIN, INT32_MAX, "the frame at load and the options dialog"};
inline constexpr Setting kGalleryLayout{"Main", "Layout", SettingKind::Number, "0", 0, 4, "the gallery at load; kept when it changes"};
inline constexpr Setting kGalleryWidthMode{"Main", "WidthMode", SettingKind::Number, "0", 0, 2, "the gallery at load, with its first page; kept when it changes"};
inline constexpr Setting kGalleryZoom{"Main", "Zoom", SettingKind::Number, "100", 5, 32000, "the gallery at load, with its first page; kept when it changes"};
inline constexpr Setting kGalleryBackground{"Main", "BackColor", SettingKind::Number, "0", 0, 9, "the gallery at load; kept when it changes"};
// A window's kept size, in the window's own section ("Main" the gallery, "Browser" the frame).
inline constexpr Setting kWindowWidth{"", "WindowWidth", SettingKind::Number, "", 1, INT32_MAX, "the gallery and the frame at load (pixels); kept when they close"};
inline constexpr Setting kWindowHeight{"", "WindowHeight", SettingKind::Number, "", 1, INT32_MAX, "the gallery and the frame at load (pixels); kept when they close"};
inline constexpr Setting kWindowMaximized{"", "Maximized", SettingKind::Switch, "0", 0, 1, "the gallery and the frame at load; kept when they close"};
inline constexpr Setting kFirstRun{"Setup", "FirstRun", SettingKind::Text, "", 0, 0, "written once by the first-run defaults"};
// clang-format on

}  // namespace tv
