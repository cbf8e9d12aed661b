// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_env.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tv::test {

TempHome::TempHome() {
  char pattern[] = "/tmp/tessaview-test.XXXXXX";
  root_ = mkdtemp(pattern);
  const std::string home = root_ + "/home";
  std::filesystem::create_directories(home + "/Pictures");
  std::filesystem::create_directories(root_ + "/run");
  chmod((root_ + "/run").c_str(), 0700);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
  outer_ = posix::OverrideUserFolders(Folders());
}

TempHome::~TempHome() {
  posix::OverrideUserFolders(outer_);
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

posix::UserFolders TempHome::Folders() const {
  const std::string home = root_ + "/home";
  posix::UserFolders f;
  f.home = home;
  f.config = home + "/.config";
  f.data = home + "/.local/share";
  f.cache = home + "/.cache";
  f.runtime = root_ + "/run";
  return f;
}

std::string TempHome::Write(const std::string& relative, const std::string& data) const {
  const std::string path = root_ + "/" + relative;
  WriteAt(path, data);
  return path;
}

void TempHome::WriteAt(const std::string& path, const std::string& data) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << data;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace tv::test
