// SPDX-License-Identifier: GPL-3.0-or-later
// "Open with Tessaview": the program is added after each kind's present handler in the
// user's mimeapps.list, a kind nothing opens yet is left alone, and removing takes out
// exactly what was added. The run-time entry is valid for the desktop whatever the
// program's path. The desktop's own verdict (gio mime) is checked by open_with_gio.sh.
// The system's data folders are the test's own (with the system's MIME database), so a
// copy of the program installed on the machine changes nothing.
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/posix/run_program.h"
#include "platform/posix/xdg_desktop_integration.h"
#include "support/test_env.h"

namespace tv {
namespace {

using test::ReadFile;

constexpr const char* kId = "io.github.tessaview.Tessaview.desktop";

bool Installed(const char* program) {
  return posix::RunProgram({program, "--help"}, 5000);
}

// What desktop-file-validate says of a file, warnings included, and its exit status.
std::string Validate(const std::string& path) {
  int out[2];
  if (::pipe(out) != 0) return "no pipe";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string program = "desktop-file-validate", file = path;
  char* argv[] = {program.data(), file.data(), nullptr};
  pid_t pid = 0;
  const int failed = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string said;
  char buffer[512];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
  ::close(out[0]);
  int status = 0;
  if (failed || ::waitpid(pid, &status, 0) != pid) return "cannot run";
  return said + "rc=" + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + "\n";
}

// Whether `list` offers the program right after `handlers` ("image/png=viewer.desktop;").
bool Offers(const std::string& list, const std::string& handlers) {
  return list.find(handlers + kId + ";") != std::string::npos;
}

// A private $XDG_DATA_DIRS, for this process and the programs it starts.
std::string PrivateSystemData(const test::TempHome& home) {
  const std::string folder = home.Root() + "/sys";
  std::filesystem::create_directories(folder + "/applications");
  std::filesystem::create_directory_symlink("/usr/share/mime", folder + "/mime");
  setenv("XDG_DATA_DIRS", folder.c_str(), 1);
  return folder;
}

class DesktopEntryTest : public ::testing::Test {
 protected:
  // The outer folders come back afterwards: GLib reads them once, and the MIME database
  // later tests sniff pictures with must not be the one removed with this home.
  ~DesktopEntryTest() override {
    if (outer_) {
      setenv("XDG_DATA_DIRS", outer_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_DIRS");
    }
  }

  std::optional<std::string> outer_ =
      getenv("XDG_DATA_DIRS") ? std::optional<std::string>(getenv("XDG_DATA_DIRS")) : std::nullopt;
  test::TempHome home_;
  std::string system_ = PrivateSystemData(home_);
  std::string config_ = home_.Root() + "/home/.config/";
  std::string folder_ = home_.Root() + "/home/.local/share/applications/";
  std::string list_ = config_ + "mimeapps.list";
  // What opens each kind now: a viewer for JPEG and PNG, a file manager for folders.
  std::map<std::string, std::string> defaults_ = {{"image/jpeg", "viewer.desktop"},
                                                  {"image/png", "viewer.desktop"},
                                                  {"inode/directory", "files.desktop"}};
  XdgDesktopIntegration desktop_{
      {folder_, list_, config_ + "tessaview/open-with.ini", {system_}},
      [this](const std::string& type) { return defaults_.count(type) ? defaults_[type] : ""; }};
};

TEST_F(DesktopEntryTest, TheProgramComesAfterThePresentHandlerAndOnlyWhereOneExists) {
  ASSERT_TRUE(desktop_.InstallOpenWith("/usr/bin/tessaview"));
  const std::string list = ReadFile(list_);
  EXPECT_TRUE(Offers(list, "image/jpeg=viewer.desktop;")) << list;
  EXPECT_TRUE(Offers(list, "inode/directory=files.desktop;")) << list;
  // Nothing opens BMP, GIF or TIFF: being offered there would make the program the default.
  for (const char* type : {"image/bmp", "image/gif", "image/tiff"}) {
    EXPECT_EQ(list.find(type), std::string::npos) << type;
  }
  EXPECT_EQ(list.find("Default Applications"), std::string::npos);
  const std::string entry = ReadFile(desktop_.EntryPath());
  EXPECT_NE(entry.find("\nExec=\"/usr/bin/tessaview\" %f\n"), std::string::npos) << entry;
  EXPECT_EQ(entry.find("MimeType"), std::string::npos) << "the entry claims no kind itself";

  // Every start adds it again: nothing changes, even when the defaults did meanwhile.
  defaults_["image/bmp"] = "other.desktop";
  defaults_["image/jpeg"] = kId;
  ASSERT_TRUE(desktop_.InstallOpenWith("/usr/bin/tessaview"));
  EXPECT_TRUE(Offers(ReadFile(list_), "image/jpeg=viewer.desktop;"));
  EXPECT_TRUE(Offers(ReadFile(list_), "image/bmp=other.desktop;"));

  ASSERT_TRUE(desktop_.RemoveOpenWith());
  EXPECT_FALSE(::access(list_.c_str(), F_OK) == 0) << "the list it made goes with it";
  EXPECT_FALSE(::access(desktop_.EntryPath().c_str(), F_OK) == 0);
  EXPECT_FALSE(desktop_.IsInstalled());
  EXPECT_TRUE(desktop_.RemoveOpenWith()) << "nothing left to remove is no failure";
}

TEST_F(DesktopEntryTest, RemovingLeavesTheUsersOwnChoicesAsTheyWere) {
  const std::string mine =
      "# my choices\n[Default Applications]\nimage/png=mine.desktop\n\n"
      "[Added Associations]\nimage/jpeg=viewer.desktop;gimp.desktop;\n"
      "inode/directory=" +
      std::string(kId) + ";\n";
  home_.Write("home/.config/mimeapps.list", mine);
  // An entry of an earlier version that claimed the kinds itself goes too.
  home_.Write("home/.local/share/applications/tessaview-open.desktop", "[Desktop Entry]\n");
  ASSERT_TRUE(desktop_.InstallOpenWith("/usr/bin/tessaview"));
  const std::string list = ReadFile(list_);
  EXPECT_TRUE(Offers(list, "image/jpeg=viewer.desktop;gimp.desktop;")) << list;
  EXPECT_TRUE(Offers(list, "image/png=viewer.desktop;")) << list;
  EXPECT_EQ(::access((folder_ + "tessaview-open.desktop").c_str(), F_OK), -1);

  ASSERT_TRUE(desktop_.RemoveOpenWith());
  // The user's own folder association of the program stays; so does everything else.
  EXPECT_EQ(ReadFile(list_), mine);
}

TEST_F(DesktopEntryTest, TheEntryIsValidForEveryPathItAccepts) {
  if (!Installed("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate missing";
  for (const char* exe :
       {"/usr/bin/tessaview", "/opt/my apps/tessaview",
        "/o/a\"b$c`d\\e%f'g#h;i&j|k<l>m(n)o*p?q~r=s/tessaview", "/home/用户/看图/tessaview"}) {
    ASSERT_TRUE(desktop_.InstallOpenWith(exe)) << exe;
    EXPECT_EQ(Validate(desktop_.EntryPath()), "rc=0\n") << exe;
  }
}

TEST_F(DesktopEntryTest, PathsNoEntryCanHoldAreRefused) {
  // Backslash: quoted once for Exec, then again for the key file.
  EXPECT_EQ(DesktopExecQuote("/a b/x\"$`\\%y"), "\"/a b/x\\\\\"\\\\$\\\\`\\\\\\\\%%y\"");
  for (const char* exe : {"/a\nb", "/a\rb", "/a\tb", "/a\x1b[0mb", "/a\x7f", "/bad\xff\xfe/tv",
                          "/over\xc0\xaflong", "/half\xe4\xbd", ""}) {
    EXPECT_EQ(DesktopExecQuote(exe).empty(), *exe != 0) << exe;
    EXPECT_FALSE(desktop_.InstallOpenWith(exe)) << exe;
  }
  EXPECT_FALSE(desktop_.IsInstalled());
  // A list that cannot be read is left alone.
  const std::string broken = "[Added Associations\nimage/jpeg=x;\n\xff\xfe";
  home_.Write("home/.config/mimeapps.list", broken);
  EXPECT_FALSE(desktop_.InstallOpenWith("/usr/bin/tessaview"));
  EXPECT_EQ(ReadFile(list_), broken);
}

}  // namespace
}  // namespace tv
