// SPDX-License-Identifier: GPL-3.0-or-later
// The shell verbs the program writes are checked through this store in the settings tests.
#include "platform/posix/file_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_env.h"

namespace tv {
namespace {

using test::ReadFile;

using namespace std::string_literals;

constexpr auto kCR = RegRoot::ClassesRoot;
constexpr auto kLM = RegRoot::LocalMachine;

class FileRegistryTest : public ::testing::Test {
 protected:
  test::TempHome home_;
  std::string path_ = home_.Root() + "/home/.config/tessaview/registry.ini";
  FileRegistry registry_{path_};
};

TEST_F(FileRegistryTest, SetValueMakesTheKeyAndItsParentsWhateverTheCase) {
  EXPECT_FALSE(registry_.KeyExists(kCR, "*"));
  EXPECT_FALSE(registry_.GetValue(kCR, "*\\shell", ""));
  ASSERT_TRUE(registry_.SetValue(kCR, "*\\shell\\Tessaview\\command", "", "run \"%1\""));
  EXPECT_TRUE(registry_.KeyExists(kCR, "*\\shell\\Tessaview"));
  EXPECT_EQ(registry_.GetValue(kCR, "*\\shell\\Tessaview\\command", ""), "run \"%1\"");
  EXPECT_FALSE(registry_.GetValue(kCR, "*\\shell\\Tessaview", "")) << "parents hold no value";
  EXPECT_FALSE(registry_.KeyExists(kLM, "*")) << "the roots are separate";

  ASSERT_TRUE(registry_.SetValue(kLM, "Software\\CLASSES\\Drive", "", "d"));
  EXPECT_EQ(registry_.GetValue(kLM, "software\\classes\\DRIVE\\", ""), "d");
  EXPECT_EQ(registry_.GetValue(kLM, "\\Software\\\\Classes\\Drive", ""), "d");
  ASSERT_TRUE(registry_.SetValue(kLM, "SOFTWARE\\classes\\drive", "", "e"));
  EXPECT_EQ(registry_.GetValue(kLM, "Software\\CLASSES\\Drive", ""), "e");
  EXPECT_EQ(ReadFile(path_).find("SOFTWARE"), std::string::npos) << "first spelling kept";
  // Named values sit beside the default one; names compare without case too.
  ASSERT_TRUE(registry_.SetValue(kLM, "Software\\Classes\\Drive", "Name", "two\nlines"));
  EXPECT_EQ(registry_.GetValue(kLM, "Software\\Classes\\Drive", "NAME"), "two\nlines");
  EXPECT_EQ(registry_.GetValue(kLM, "Software\\Classes\\Drive", ""), "e");
}

TEST_F(FileRegistryTest, DeleteKeyRemovesOnlyLeaves) {
  ASSERT_TRUE(registry_.SetValue(kCR, "*\\shell\\", "", "Tessaview"));
  ASSERT_TRUE(registry_.SetValue(kCR, "*\\shell\\Tessaview\\command", "", "run"));
  const std::string once = ReadFile(path_);
  ASSERT_TRUE(registry_.SetValue(kCR, "*\\shell\\Tessaview\\command", "", "run"));
  EXPECT_EQ(ReadFile(path_), once) << "setting a value again changes nothing";
  EXPECT_FALSE(registry_.DeleteKey(kCR, "*\\shell\\Tessaview")) << "it has a subkey";
  EXPECT_TRUE(registry_.KeyExists(kCR, "*\\shell\\Tessaview\\command"));
  EXPECT_FALSE(registry_.DeleteKey(kCR, "")) << "a root is never deleted";
  EXPECT_FALSE(registry_.DeleteKey(kCR, "No\\Such\\Key"));
  EXPECT_TRUE(registry_.DeleteKey(kCR, "*\\SHELL\\tessaview\\command"));
  EXPECT_TRUE(registry_.DeleteKey(kCR, "*\\shell\\Tessaview"));
  EXPECT_FALSE(registry_.KeyExists(kCR, "*\\shell\\Tessaview"));
  EXPECT_EQ(registry_.GetValue(kCR, "*\\shell", ""), "Tessaview");
  EXPECT_FALSE(registry_.DeleteKey(kCR, "*\\shell\\Tessaview")) << "already gone";
}

TEST_F(FileRegistryTest, ADamagedFileIsSurvived) {
  home_.Write("home/.config/tessaview/registry.ini",
              "junk\0\xff\n[\n[]\n[HKEY_NOWHERE/x]\n@=y\n=\n[HKEY_CLASSES_ROOT/a]\n@=b\n"s +
                  std::string(100000, '['));
  EXPECT_EQ(registry_.GetValue(kCR, "a", ""), "b");
  EXPECT_FALSE(registry_.KeyExists(kCR, "x"));
  ASSERT_TRUE(registry_.SetValue(kCR, "a\\b", "", "c"));
  EXPECT_EQ(registry_.GetValue(kCR, "a\\b", ""), "c");
  EXPECT_EQ(registry_.GetValue(kCR, "a", ""), "b");
  EXPECT_NE(ReadFile(path_).find("[HKEY_NOWHERE/x]"), std::string::npos);
}

}  // namespace
}  // namespace tv
