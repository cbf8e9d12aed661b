// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/folder_chain.h"

namespace tv {

std::vector<std::string> FolderChain(const std::string& path) {
  std::vector<std::string> chain;
  if (path.empty() || path[0] != '/') return chain;
  chain.push_back("/");
  std::string folder;
  size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && path[i] == '/') ++i;
    size_t end = path.find('/', i);
    if (end == std::string::npos) end = path.size();
    if (end > i) {
      folder += "/" + path.substr(i, end - i);
      chain.push_back(folder);
    }
    i = end;
  }
  return chain;
}

}  // namespace tv
