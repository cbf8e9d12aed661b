// SPDX-License-Identifier: GPL-3.0-or-later
// The "Tessaview" entries of the desktop's context menus, and the first-run defaults.
#pragma once

#include <string>

namespace tv {

struct Platform;
class SettingsStore;

// 1 registers the entries; any other value removes them.
void ShellVerbs(Platform& platform, int& action);

// The command line the entries start: the program with the clicked item.
std::string ShellVerbCommand(Platform& platform);

// Writes the default settings when the program folder holds a first-run marker of more
// than 10 bytes, then removes the marker.
void FirstRun(Platform& platform, SettingsStore& settings);

inline constexpr const char* kFirstRunMarker = "search.dat";

}  // namespace tv
