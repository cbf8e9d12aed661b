// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/ini_settings_area.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace tv {
namespace {

using test::ReadFile;

using namespace std::string_literals;

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++n;
  return n;
}

class IniSettingsAreaTest : public ::testing::Test {
 protected:
  test::TempHome home_;
  std::string path_ = home_.Root() + "/home/.config/tessaview/settings.ini";
  IniSettingsArea settings_{path_};
};

TEST_F(IniSettingsAreaTest, TheFirstSaveMakesTheFileAndNamesKeepTheirFirstSpelling) {
  EXPECT_EQ(settings_.Get("Tessaro2017", "setup", "RightMenu"), "");
  ASSERT_TRUE(settings_.Save("Tessaro2017", "setup", "RightMenu", "1"));
  ASSERT_TRUE(settings_.Save("Tessaro2017", "Setup", "FirstRun", "Run"));
  EXPECT_EQ(settings_.Get("tessaro2017", "SETUP", "FIRSTRUN"), "Run");
  EXPECT_EQ(settings_.Get("Another", "setup", "FirstRun"), "");
  ASSERT_TRUE(settings_.Save("Tessaro2017", "SetUp", "RIGHTMENU", "0"));
  // A second store on the same file sees the value: nothing is only cached.
  EXPECT_EQ(IniSettingsArea(path_).Get("Tessaro2017", "setup", "RightMenu"), "0");
  std::string text = ReadFile(path_);
  EXPECT_EQ(Count(text, "["), 1u) << text;
  EXPECT_EQ(Count(text, "RightMenu=0"), 1u) << text;
  EXPECT_EQ(Count(text, "RIGHTMENU"), 0u) << text;
}

TEST_F(IniSettingsAreaTest, AnyValueRoundTripsAndNamesWithSeparatorsDoNotCollide) {
  const std::vector<std::array<std::string, 4>> stored = {
      {"App", "S", "k0", "line one\nline two\r\nthree"},
      {"App", "S", "k1", "back\\slash \\n not a newline\\"},
      {"App", "S", "k2", "a=b [c] ; # @ /"},
      {"App", "S", "k3", "  blanks around  "},
      {"App", "S", "k4", "nul\0byte\x01\x7f"s},
      {"App", "S", "k5", "\xE6\xAF\x8F\xE9\xA1\xB5 UTF-8"},
      {"App", "S", "k6", ""},
      {"a/b", "c", "key", "first"},
      {"a", "b/c", "key", "second"},
      {"a", "b/c", "k=ey", "third"},
      {"a", "b/c", "", "fourth"},
      {"a", "b/c", "@", "fifth"}};
  for (const auto& [app, section, key, value] : stored)
    ASSERT_TRUE(settings_.Save(app, section, key, value));
  for (const auto& [app, section, key, value] : stored)
    EXPECT_EQ(settings_.Get(app, section, key), value) << app << " " << section << " " << key;
  EXPECT_EQ(settings_.Get("a", "b/c", "k"), "");
  // One line a value and one a section, whatever they hold.
  EXPECT_EQ(Count(ReadFile(path_), "\n"), 3 + stored.size());
}

TEST_F(IniSettingsAreaTest, DamagedFilesAreReadAndKeptWithoutHarm) {
  std::string junk(4096, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 131) % 256);
  std::string huge(3 << 20, 'x');
  std::string damaged = "\xEF\xBB\xBF; a comment\r\n[Tessaro2017/Main]\r\nPageFileCount=55\r\n" +
                        junk + "\nno equals sign here\n[unterminated\n" + huge + "\n=\n" +
                        "[Tessaro2017/setup\\]\nbroken=\\x4\\q\\\n" + "[Tessaro2017/setup]\n";
  home_.Write("home/.config/tessaview/settings.ini", damaged);
  EXPECT_EQ(settings_.Get("Tessaro2017", "Main", "PageFileCount"), "55");
  EXPECT_EQ(settings_.Get("Tessaro2017", "setup\\", "broken"), "\\x4\\q\\");
  EXPECT_EQ(settings_.Get("Tessaro2017", "setup", "Pop"), "");

  ASSERT_TRUE(settings_.Save("Tessaro2017", "setup", "Pop", "1"));
  ASSERT_TRUE(settings_.Save("Tessaro2017", "Main", "PageFileCount", "60"));
  EXPECT_EQ(settings_.Get("Tessaro2017", "Main", "PageFileCount"), "60");
  std::string text = ReadFile(path_);
  EXPECT_NE(text.find(junk), std::string::npos) << "unknown lines are kept byte for byte";
  EXPECT_NE(text.find(huge), std::string::npos);
  EXPECT_NE(text.find("no equals sign here\n[unterminated\n"), std::string::npos);
  EXPECT_EQ(Count(text, "PageFileCount"), 1u);
}

TEST_F(IniSettingsAreaTest, AStoreThatCannotBeWrittenReportsFailure) {
  // The file's place is taken by a folder: nothing to read, nothing written.
  std::filesystem::create_directories(path_);
  EXPECT_EQ(settings_.Get("Tessaro2017", "Main", "PageFileCount"), "");
  EXPECT_FALSE(settings_.Save("Tessaro2017", "Main", "PageFileCount", "40"));
  EXPECT_TRUE(std::filesystem::is_directory(path_));

  IniSettingsArea beneath_a_file(home_.Write("plain", "x") + "/settings.ini");
  EXPECT_FALSE(beneath_a_file.Save("A", "B", "C", "D"));
  EXPECT_EQ(beneath_a_file.Get("A", "B", "C"), "");
}

}  // namespace
}  // namespace tv
