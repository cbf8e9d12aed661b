// SPDX-License-Identifier: GPL-3.0-or-later
// A private home for one test: HOME and the XDG folders point into a fresh temporary
// folder, removed again afterwards, so nothing of the user's is touched. The environment
// is set for the programs a test starts; this process takes the folders from the override,
// since GLib reads the environment only once a process.
#pragma once

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/user_folders.h"

namespace tv::test {

class TempHome {
 public:
  TempHome();
  ~TempHome();
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  const std::string& Root() const { return root_; }
  // The folders this home gives the program: no download or pictures folder chosen.
  posix::UserFolders Folders() const;
  // Writes `data` to root/relative, making folders as needed; returns the full path.
  std::string Write(const std::string& relative, const std::string& data) const;
  // Writes `data` to an absolute path, making folders as needed.
  static void WriteAt(const std::string& path, const std::string& data);

 private:
  std::string root_;
  std::optional<posix::UserFolders> outer_;  // the home this one stands in for
};

// The whole file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);

// The names in `folder`, sorted; none when it cannot be read.
inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
    names.push_back(e.path().filename());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tv::test
