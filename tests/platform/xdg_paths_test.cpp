#include "platform/posix/xdg_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

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
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_GT(fs::file_size(folder + "search.dat"), 10u);
    EXPECT_EQ(paths.ProgramFolder(), folder);
  }
  // The first start consumes the marker; later starts must not bring it back.
  fs::remove(folder + "search.dat");
  XdgPaths later;
  EXPECT_FALSE(later.ProgramFolderWasCreated());
  EXPECT_EQ(later.ProgramFolder(), folder);
  EXPECT_FALSE(fs::exists(folder + "search.dat"));
}

TEST_F(XdgPathsTest, FoldersFollowTheXdgVariables) {
  setenv("XDG_DATA_HOME", (home_.Root() + "/data/").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home_.Root() + "/conf").c_str(), 1);
  XdgPaths paths;
  EXPECT_EQ(paths.ProgramFolder(), home_.Root() + "/data/tessaview/");
  EXPECT_EQ(paths.ConfigFolder(), home_.Root() + "/conf/tessaview/");
  EXPECT_EQ(paths.ApplicationsFolder(), home_.Root() + "/data/applications/");
  EXPECT_EQ(paths.HomeFolder(), home_dir_ + "/");

  // Unset or relative values fall back to the home folder's defaults.
  unsetenv("XDG_DATA_HOME");
  setenv("XDG_CONFIG_HOME", "relative/conf", 1);
  XdgPaths defaults;
  EXPECT_EQ(defaults.ProgramFolder(), home_dir_ + "/.local/share/tessaview/");
  EXPECT_EQ(defaults.ConfigFolder(), home_dir_ + "/.config/tessaview/");
  EXPECT_EQ(defaults.ApplicationsFolder(), home_dir_ + "/.local/share/applications/");
}

TEST_F(XdgPathsTest, PageFolderIsPrivate) {
  {
    XdgPaths paths;
    std::string folder = paths.PageFolder();
    EXPECT_EQ(folder, home_.Root() + "/run/tessaview/");
    EXPECT_EQ(ModeOf(folder), 0700u);
  }
  // Without a usable runtime folder the pages go to the cache.
  for (const char* runtime : {"", "relative", "/no/such/runtime"}) {
    setenv("XDG_RUNTIME_DIR", runtime, 1);
    XdgPaths paths;
    std::string folder = paths.PageFolder();
    EXPECT_EQ(folder, home_dir_ + "/.cache/tessaview/pages/") << runtime;
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(home_dir_ + "/.cache/tessaview"), 0700u);
  }
  // A page name is whatever follows the last backslash of the fixed name.
  unsetenv("XDG_RUNTIME_DIR");
  XdgPaths paths;
  EXPECT_EQ(paths.PageFile("C:\\Tpc.htm"), home_dir_ + "/.cache/tessaview/pages/Tpc.htm");
}

TEST_F(XdgPathsTest, PicturesFolderComesFromUserDirs) {
  XdgPaths paths;
  EXPECT_EQ(paths.PicturesFolder(), home_dir_ + "/") << "no user-dirs.dirs: home";
  const std::string dirs = "home/.config/user-dirs.dirs";
  home_.Write(dirs,
              "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  EXPECT_EQ(paths.PicturesFolder(), home_dir_ + "/") << "the named folder does not exist";
  fs::create_directories(home_dir_ + "/Bilder");
  EXPECT_EQ(paths.PicturesFolder(), home_dir_ + "/Bilder/");
  fs::create_directories(home_.Root() + "/elsewhere/my \"pics\"");
  home_.Write(dirs, "  XDG_PICTURES_DIR=\"" + home_.Root() + "/elsewhere/my \\\"pics\\\"\"\n");
  EXPECT_EQ(paths.PicturesFolder(), home_.Root() + "/elsewhere/my \"pics\"/");
  home_.Write(dirs, "XDG_PICTURES_DIR=\"$HOME/Bilder");  // cut off
  EXPECT_EQ(paths.PicturesFolder(), home_dir_ + "/");
}

TEST_F(XdgPathsTest, ProcessFolders) {
  XdgPaths paths;
  std::string exe = paths.ExecutablePath();
  EXPECT_TRUE(fs::is_regular_file(exe)) << exe;
  std::string current = paths.CurrentFolder();
  EXPECT_EQ(current, fs::current_path().string() + (current == "/" ? "" : "/"));
}

}  // namespace
}  // namespace tv
