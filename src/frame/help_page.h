// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own help page, "navigation.htm" in the program folder.
#pragma once

#include <string>

namespace tv {

inline constexpr const char* kHelpPageName = "navigation.htm";

// The page: the gallery, the browser's buttons and menus, and where the program keeps
// its files under `program_folder` and the saved pictures in `download_folder` (shown as
// text, never as markup).
std::string HelpPageText(const std::string& program_folder, const std::string& download_folder);

}  // namespace tv
