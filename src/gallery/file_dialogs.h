// The dialogs the whole program shares: folder picker, open and save dialogs with the
// program's four-entry filter, file-name cleaning and the properties window.
#pragma once

#include <string>

namespace tv {

class Form;
struct Platform;

// Filter indices of the open and save dialogs (1-based).
enum FileFilter { kFilterAll = 1, kFilterPictures = 2, kFilterPages = 3, kFilterText = 4 };

// A folder path, or "" when cancelled.
std::string BrowseFolder(Platform& platform, const std::string& title, Form* owner);
std::string OpenFileDialog(Platform& platform, Form* owner, const std::string& title,
                           const std::string& initial_folder, int filter_index);
// The preset name is cleaned first; "" when cancelled.
std::string SaveFileDialog(Platform& platform, Form* owner, const std::string& title,
                           const std::string& default_name, int filter_index);

// Replaces the characters a file name cannot hold: \ removed, / blank, : ：, * ，,
// < [, > ], | I, ? ？. The double quote stays.
std::string CleanFileName(const std::string& name);

}  // namespace tv
