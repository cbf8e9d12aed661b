// The "Open with Tessaview" desktop entry: valid for the desktop whatever the program's
// path, and known to the desktop at once, since the folder's MIME cache is rebuilt when
// the entry is written and when it is removed.
#include <gtest/gtest.h>
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "platform/posix/run_program.h"
#include "platform/posix/xdg_desktop_integration.h"
#include "support/test_env.h"

namespace tv {
namespace {

using test::ReadFile;

bool Installed(const char* program) {
  return posix::RunProgram({program, "--help"}, 5000);
}

// What desktop-file-validate says of a file in the test's own folder.
std::string Validate(const std::string& path) {
  std::string said;
  FILE* out = ::popen(("desktop-file-validate '" + path + "' 2>&1; echo rc=$?").c_str(), "r");
  if (!out) return "cannot run";
  char buffer[512];
  while (size_t n = ::fread(buffer, 1, sizeof buffer, out)) said.append(buffer, n);
  ::pclose(out);
  return said;
}

class DesktopEntryTest : public ::testing::Test {
 protected:
  test::TempHome home_;
  std::string folder_ = home_.Root() + "/home/.local/share/applications/";
  XdgDesktopIntegration desktop_{folder_};
};

TEST_F(DesktopEntryTest, WritingAndRemovingTheEntryRebuildsTheMimeCache) {
  if (!Installed("update-desktop-database")) GTEST_SKIP() << "update-desktop-database missing";
  ASSERT_TRUE(desktop_.InstallOpenWith("/usr/bin/tessaview"));
  std::string cache = ReadFile(folder_ + "mimeinfo.cache");
  EXPECT_NE(cache.find("image/jpeg=tessaview-open.desktop;"), std::string::npos) << cache;
  EXPECT_NE(cache.find("inode/directory=tessaview-open.desktop;"), std::string::npos) << cache;
  ASSERT_TRUE(desktop_.RemoveOpenWith());
  EXPECT_EQ(ReadFile(folder_ + "mimeinfo.cache").find("tessaview-open"), std::string::npos);
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
  for (const char* exe : {"/a\nb", "/a\rb", "/a\tb", "/a\x1b[0mb", "/a\x7f", "/bad\xff\xfe/tv",
                          "/over\xc0\xaflong", "/half\xe4\xbd"}) {
    EXPECT_EQ(DesktopExecQuote(exe), "") << exe;
    EXPECT_FALSE(desktop_.InstallOpenWith(exe)) << exe;
  }
  EXPECT_FALSE(desktop_.IsInstalled());
  EXPECT_NE(DesktopExecQuote("/home/用户/tessaview"), "");
}

}  // namespace
}  // namespace tv
