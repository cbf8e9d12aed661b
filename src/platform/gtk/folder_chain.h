// SPDX-License-Identifier: GPL-3.0-or-later
// The folders from the root down to a folder, as the folder list shows them.
#pragma once

#include <string>
#include <vector>

namespace tv {

// "/home/ann/pics/" -> {"/", "/home", "/home/ann", "/home/ann/pics"}; repeated slashes
// are read as one. Empty for a path that does not start at the root.
std::vector<std::string> FolderChain(const std::string& path);

}  // namespace tv
