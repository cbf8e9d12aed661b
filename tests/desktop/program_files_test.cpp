// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its web process extension and icons: beside it in the build
// tree, under the prefix of an installed copy, and never the build's code for a copy
// installed elsewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/gtk/program_files.h"
#include "support/test_env.h"

namespace tv::test {
namespace {

const std::string kBuild = std::filesystem::path(TV_PROGRAM).parent_path().string();

TEST(ProgramFiles, OnlyProgramsOfTheBuildTreeUseTheBuildsExtension) {
  EXPECT_EQ(ExtensionFolder(TV_PROGRAM), kBuild + "/webext");
  // Test programs live deeper in the build tree.
  EXPECT_EQ(ExtensionFolder(kBuild + "/tests/a_test"), kBuild + "/webext");

  TempHome home;
  const std::string prefix = home.Root() + "/prefix";
  const std::string installed = ExtensionFolder(prefix + "/bin/tessaview");
  EXPECT_EQ(installed.rfind(prefix + "/", 0), 0u) << installed;
  EXPECT_EQ(installed.find(".."), std::string::npos) << installed;
}

TEST(ProgramFiles, IconsBesideTheBuildOrUnderThePrefix) {
  EXPECT_EQ(IconFolder(TV_PROGRAM), kBuild + "/share/icons");
  TempHome home;
  const std::string prefix = home.Root() + "/prefix";
  EXPECT_EQ(IconFolder(prefix + "/bin/tessaview"), "");
  std::filesystem::create_directories(prefix + "/share/icons/hicolor");
  EXPECT_EQ(IconFolder(prefix + "/bin/tessaview"), prefix + "/share/icons");
}

}  // namespace
}  // namespace tv::test
