// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/xdg_paths.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 01000;
}

class XdgPathsTest : public ::testing::Test {
 protected:
  test::TempHome home_;
  std::string home_dir_ = home_.Root() + "/home";
};

TEST_F(XdgPathsTest, ProgramFolderIsMadeOnceWithTheFirstRunMarker) {
  std::string folder = home_dir_ + "/.local/share/tessaview/";
  ASSERT_FALSE(fs::exists(folder));
  {
    XdgPaths paths;
    EXPECT_EQ(paths.ProgramFolder(), folder);
    EXPECT_TRUE(paths.ProgramFolderWasCreated());
    EXPECT_GT(fs::file_size(folder + "search.dat"), 10u);
  }
  // The first start consumes the marker; later starts must not bring it back.
  fs::remove(folder + "search.dat");
  XdgPaths later;
  EXPECT_EQ(later.ProgramFolder(), folder);
  EXPECT_FALSE(later.ProgramFolderWasCreated());
  EXPECT_FALSE(fs::exists(folder + "search.dat"));
}

TEST_F(XdgPathsTest, PlacesLieInTheUsersFoldersAndFallBackToHome) {
  posix::UserFolders folders = home_.Folders();
  folders.data = home_.Root() + "/data";
  folders.config = home_.Root() + "/conf";
  folders.cache = home_.Root() + "/cache";
  folders.download = home_.Root() + "/下载";
  // What the user keeps stays where earlier versions wrote it.
  XdgPaths places(folders);
  EXPECT_EQ(places.ProgramFolder(), home_.Root() + "/data/tessaview/");
  EXPECT_EQ(places.ConfigFolder(), home_.Root() + "/conf/tessaview/");
  EXPECT_EQ(places.MimeappsList(), home_.Root() + "/conf/mimeapps.list");
  EXPECT_EQ(places.WebsiteDataFolder(), home_.Root() + "/data/tessaview/website-data/");
  EXPECT_EQ(places.WebsiteCacheFolder(), home_.Root() + "/cache/tessaview/website-cache/");
  EXPECT_EQ(XdgPaths(folders).DownloadFolder(), home_.Root() + "/下载/Tessaview/");
  EXPECT_FALSE(fs::exists(home_.Root() + "/下载")) << "made when the browser needs it";
  // No download folder chosen (or home itself): the pictures go to one in home.
  folders.download.clear();
  EXPECT_EQ(XdgPaths(folders).DownloadFolder(), home_dir_ + "/Tessaview/");
  folders.download = home_dir_;
  EXPECT_EQ(XdgPaths(folders).DownloadFolder(), home_dir_ + "/Tessaview/");
  // A chosen pictures folder counts only while it exists.
  folders.pictures = home_dir_ + "/Bilder";
  EXPECT_EQ(XdgPaths(folders).PicturesFolder(), home_dir_ + "/");
  fs::create_directories(home_dir_ + "/Bilder");
  EXPECT_EQ(XdgPaths(folders).PicturesFolder(), home_dir_ + "/Bilder/");
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> RunFoldersIn(const std::string& root) {
  std::vector<std::string> names = test::NamesIn(root);
  std::erase_if(names, [](const std::string& name) { return !StartsWith(name, "run-"); });
  return names;
}

TEST_F(XdgPathsTest, EachRunHasItsOwnPrivatePageFolder) {
  const std::string root = home_.Root() + "/run/tessaview/";
  std::string first_folder;
  {
    XdgPaths first, second;
    first_folder = first.PageFolder();
    const std::string other = second.PageFolder();
    EXPECT_TRUE(StartsWith(first_folder, root + "run-")) << first_folder;
    EXPECT_NE(first_folder, other) << "two running copies never share a page";
    EXPECT_EQ(first.PageFile("C:\\Tpc.htm"), first_folder + "Tpc.htm");
    EXPECT_EQ(ModeOf(root), 0700u);
    EXPECT_EQ(ModeOf(first_folder), 0700u);
    EXPECT_EQ(RunFoldersIn(root).size(), 2u);
    test::TempHome::WriteAt(first_folder + "Tpc.htm", "page");
  }
  EXPECT_EQ(RunFoldersIn(root), std::vector<std::string>()) << "removed when each closes";

  // Without a usable runtime folder the pages go to the cache.
  for (const char* runtime : {"", "/no/such/runtime"}) {
    posix::UserFolders folders = home_.Folders();
    folders.runtime = runtime;
    XdgPaths paths(folders);
    std::string folder = paths.PageFolder();
    EXPECT_TRUE(StartsWith(folder, home_dir_ + "/.cache/tessaview/pages/run-")) << runtime;
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(home_dir_ + "/.cache/tessaview/pages"), 0700u);
  }
}

TEST_F(XdgPathsTest, PagesOfProgramsNoLongerRunningAreRemovedAtStart) {
  const std::string root = home_.Root() + "/run/tessaview/";
  XdgPaths running;
  const std::string alive = running.PageFolder();

  // A program killed while it ran: its folder and pages stay behind.
  pid_t pid = fork();
  if (pid == 0) {
    XdgPaths killed;
    test::TempHome::WriteAt(killed.PageFolder() + "Tpc.htm", "page of the killed program");
    kill(getpid(), SIGKILL);
  }
  waitpid(pid, nullptr, 0);
  const std::vector<std::string> runs = RunFoldersIn(root);
  ASSERT_EQ(runs.size(), 2u);
  const std::string dead = root + (root + runs[0] + "/" == alive ? runs[1] : runs[0]) + "/";
  ASSERT_TRUE(fs::exists(dead + "Tpc.htm"));

  // One that died before it locked its folder, and one whose number is now this very
  // process's: a check by process number would keep it.
  fs::create_directory(root + "run-1-unlckd");
  const std::string reused = root + "run-" + std::to_string(getpid()) + "-reused";
  fs::create_directory(reused);
  test::TempHome::WriteAt(reused + "/.lock", "");
  test::TempHome::WriteAt(reused + "/Tpc.htm", "old page");

  // Links inside a dead folder and in the root lead out of it; nothing there is touched.
  const std::string outside = home_.Root() + "/outside";
  fs::create_directories(outside + "/deep");
  test::TempHome::WriteAt(outside + "/deep/keep.jpg", "keep");
  fs::create_directory_symlink(outside, reused + "/sub");
  fs::create_symlink(outside + "/deep/keep.jpg", reused + "/img.htm");
  fs::create_directory_symlink(outside, root + "run-2-linked");
  // Not a run folder at all.
  test::TempHome::WriteAt(root + "notes.txt", "not ours to remove");

  XdgPaths next;
  const std::string fresh = next.PageFolder();
  EXPECT_FALSE(fs::exists(dead)) << "the killed program's pages";
  EXPECT_FALSE(fs::exists(root + "run-1-unlckd"));
  EXPECT_FALSE(fs::exists(reused));
  EXPECT_TRUE(fs::exists(alive)) << "a running program keeps its pages";
  EXPECT_TRUE(fs::exists(fresh));
  EXPECT_EQ(test::ReadFile(outside + "/deep/keep.jpg"), "keep");
  EXPECT_TRUE(fs::is_symlink(root + "run-2-linked"));
  EXPECT_TRUE(fs::exists(root + "notes.txt"));
}

}  // namespace
}  // namespace tv
