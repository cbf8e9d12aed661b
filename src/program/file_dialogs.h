// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs the whole program shares: folder picker, open and save dialogs with the
// program's four-entry filter and file-name cleaning.
#pragma once

#include <string>

namespace tv {

class Application;
class Form;
struct Platform;

// Filter indices of the open and save dialogs (1-based).
enum FileFilter { kFilterAll = 1, kFilterPictures = 2, kFilterPages = 3, kFilterText = 4 };

// A folder path, or "" when cancelled.
std::string BrowseFolder(Platform& platform, const std::string& title, Form* owner);
// Open and save dialogs start in `initial_folder` where it exists, else in the folder of
// the file last chosen in either, else in the user's pictures folder (picture filter)
// or download folder (the others); never in the program's working folder. The folder of
// a chosen file is remembered for the next dialog.
std::string OpenFileDialog(Application& app, Form* owner, const std::string& title,
                           const std::string& initial_folder, int filter_index);
// The preset name is cleaned first; "" when cancelled.
std::string SaveFileDialog(Application& app, Form* owner, const std::string& title,
                           const std::string& default_name, int filter_index);

// Replaces the characters a file name cannot hold: \ removed, / blank, : ：, * ，,
// < [, > ], | I, ? ？. The double quote stays.
std::string CleanFileName(const std::string& name);

}  // namespace tv
