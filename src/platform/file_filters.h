// SPDX-License-Identifier: GPL-3.0-or-later
// The filter of the program's open and save dialogs.
#pragma once

#include <string>
#include <vector>

namespace tv {

struct FileFilterEntry {
  std::string label;                  // shown as is
  std::vector<std::string> patterns;  // file-name patterns (* and ?), in any letter case
};

// The four entries in order; filter index 1 is the first. The picture entry takes every
// name the folder listing takes: the seven picture extensions and the extra kinds this
// system decodes, and a name that is only one of them.
const std::vector<FileFilterEntry>& FileDialogFilters();

}  // namespace tv
