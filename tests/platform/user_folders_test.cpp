// SPDX-License-Identifier: GPL-3.0-or-later
// The user's folders as GLib reads them from the environment and from user-dirs.dirs.
// GLib reads them once a process, so each case starts this test program again with the
// environment of the case; that run prints the folders and ends before any test.
#include "platform/posix/user_folders.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace tv {
namespace {

constexpr char kPrintFolders[] = "TV_PRINT_USER_FOLDERS";

// The run started by a case: one "name=folder" line each.
const bool kPrinted = [] {
  if (!std::getenv(kPrintFolders)) return false;
  posix::KeepBaseFoldersAbsolute();  // as the program does first
  const posix::UserFolders f = posix::CurrentUserFolders();
  std::printf("home=%s\nconfig=%s\ndata=%s\ncache=%s\nruntime=%s\ndownload=%s\npictures=%s\n",
              f.home.c_str(), f.config.c_str(), f.data.c_str(), f.cache.c_str(), f.runtime.c_str(),
              f.download.c_str(), f.pictures.c_str());
  std::fflush(stdout);
  _exit(0);
}();

class UserFoldersTest : public ::testing::Test {
 protected:
  // The folders a fresh run of this program finds with `environment` alone.
  std::map<std::string, std::string> FoldersWith(std::vector<std::string> environment) {
    environment.push_back(std::string(kPrintFolders) + "=1");
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string printed = temp_.Root() + "/printed";
    std::filesystem::remove(printed);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, printed.c_str(), O_WRONLY | O_CREAT, 0600);
    char self[] = "/proc/self/exe";
    char* argv[] = {self, nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self, &actions, nullptr, argv, envp.data()) == 0) {
      waitpid(pid, nullptr, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::map<std::string, std::string> folders;
    std::istringstream lines(test::ReadFile(printed));
    for (std::string line; std::getline(lines, line);) {
      const size_t eq = line.find('=');
      if (eq != std::string::npos) folders[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return folders;
  }

  test::TempHome temp_;
  std::string home_ = temp_.Root() + "/home";
};

TEST_F(UserFoldersTest, BaseFoldersFollowTheEnvironment) {
  auto f = FoldersWith({"HOME=" + home_ + "/", "XDG_CONFIG_HOME=" + temp_.Root() + "/conf/",
                        "XDG_DATA_HOME=" + temp_.Root() + "/data",
                        "XDG_CACHE_HOME=" + temp_.Root() + "/cache",
                        "XDG_RUNTIME_DIR=" + temp_.Root() + "/run"});
  EXPECT_EQ(f["home"], home_);
  EXPECT_EQ(f["config"], temp_.Root() + "/conf");
  EXPECT_EQ(f["data"], temp_.Root() + "/data");
  EXPECT_EQ(f["cache"], temp_.Root() + "/cache");
  EXPECT_EQ(f["runtime"], temp_.Root() + "/run");
  EXPECT_EQ(f["download"], "") << "no user-dirs.dirs";

  // Relative values are no base folders; without a runtime folder there is none, not the
  // cache that GLib offers in its place.
  f = FoldersWith({"HOME=" + home_, "XDG_CONFIG_HOME=conf",
                   "XDG_DATA_HOME=", "XDG_CACHE_HOME=" + temp_.Root() + "/cache"});
  EXPECT_EQ(f["config"], home_ + "/.config");
  EXPECT_EQ(f["data"], home_ + "/.local/share");
  EXPECT_EQ(f["cache"], temp_.Root() + "/cache");
  EXPECT_EQ(f["runtime"], "");

  // A relative home is no home: the password database's stands in, and the base folders
  // follow it, never the current folder.
  const passwd* own = getpwuid(getuid());
  ASSERT_TRUE(own && own->pw_dir[0] == '/');
  const std::string pw_home = own->pw_dir;
  f = FoldersWith({"HOME=home", "XDG_CACHE_HOME=.cache", "XDG_RUNTIME_DIR=run"});
  EXPECT_EQ(f["home"], pw_home);
  EXPECT_EQ(f["data"], pw_home + "/.local/share");
  EXPECT_EQ(f["cache"], pw_home + "/.cache");
  EXPECT_EQ(f["runtime"], "");
}

TEST_F(UserFoldersTest, ChosenFoldersComeFromUserDirs) {
  temp_.Write("home/.config/user-dirs.dirs",
              "# written by xdg-user-dirs-update\n"
              "XDG_DOWNLOAD_DIR=\"$HOME/下载\"\n"
              "XDG_PICTURES_DIR=\"" +
                  temp_.Root() + "/elsewhere/my pics\"\n");
  auto f = FoldersWith({"HOME=" + home_});
  EXPECT_EQ(f["download"], home_ + "/下载");
  EXPECT_EQ(f["pictures"], temp_.Root() + "/elsewhere/my pics");

  // A folder turned off is home itself.
  temp_.Write("home/.config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/\"\n");
  f = FoldersWith({"HOME=" + home_});
  EXPECT_EQ(f["download"], home_);
  EXPECT_EQ(f["pictures"], "");
}

}  // namespace
}  // namespace tv
