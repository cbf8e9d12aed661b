// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.h"

namespace tv {

std::string Paths::PageFile(const std::string& fixed_name) {
  // "C:\Tpc.htm", "C:\Baidu.htm", "c:\img.htm": only the name after the last "\" is kept.
  auto slash = fixed_name.find_last_of("\\/");
  std::string name = slash == std::string::npos ? fixed_name : fixed_name.substr(slash + 1);
  return PageFolder() + name;
}

}  // namespace tv
