// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/shell_integration.h"

#include <gtest/gtest.h>

#include <fstream>

#include "settings/settings_store.h"
#include "support/test_platform.h"

namespace tv {
namespace {

constexpr auto kCR = RegRoot::ClassesRoot;
constexpr auto kLM = RegRoot::LocalMachine;

TEST(ShellVerbs, RegisterWritesTheKeysAndTheDesktopEntryAndRemovingTakesThemOut) {
  test::TestPlatform t;
  Registry& reg = t.platform.registry;
  const std::string command = ShellVerbCommand(t.platform);
  EXPECT_EQ(command.front(), '"');
  EXPECT_NE(command.find("\" \"%1\""), std::string::npos);
  int action = 1;
  for (int round = 0; round < 2; ++round) {  // registering again changes nothing
    ShellVerbs(t.platform, action);
    EXPECT_EQ(reg.GetValue(kCR, "*\\shell\\Tessaview\\command", ""), command);
    EXPECT_EQ(reg.GetValue(kLM, "Software\\CLASSES\\Drive\\shell\\pvw\\command", ""), command);
    EXPECT_TRUE(t.platform.desktop.IsInstalled());
  }
  // Removing leaves only the file class's default verb; removing again is silent.
  for (int remove : {0, 7}) {
    action = remove;
    ShellVerbs(t.platform, action);
    EXPECT_EQ(reg.GetValue(kCR, "*\\shell\\", ""), "Tessaview");
    EXPECT_FALSE(reg.KeyExists(kCR, "*\\shell\\Tessaview"));
    EXPECT_FALSE(reg.KeyExists(kCR, "Directory\\shell\\pvw"));
    EXPECT_FALSE(reg.KeyExists(kLM, "Software\\CLASSES\\Drive\\shell\\pvw"));
    EXPECT_FALSE(t.platform.desktop.IsInstalled());
  }
}

TEST(FirstRun, MarkerOverTenBytesWritesDefaultsOnce) {
  test::TestPlatform t;
  SettingsStore store(t.platform.settings);
  const std::string marker = t.platform.paths.ProgramFolder() + kFirstRunMarker;
  std::ofstream(marker, std::ios::trunc) << "0123456789";  // 10 bytes: nothing
  FirstRun(t.platform, store);
  EXPECT_EQ(store.GetSetting("setup", "Pop"), "");
  EXPECT_TRUE(t.platform.fs.IsFile(marker));

  std::ofstream(marker, std::ios::trunc) << "0123456789A";  // 11 bytes
  FirstRun(t.platform, store);
  EXPECT_FALSE(t.platform.fs.IsFile(marker));
  EXPECT_EQ(store.GetSetting("setup", "Pop"), "1");
  EXPECT_EQ(store.GetSetting("setup", "Topme"), "0");
  EXPECT_EQ(store.GetSetting("setup", "Download"), "0") << "no page saves pictures unasked";

  store.SaveSetting("setup", "Topme", "1");
  FirstRun(t.platform, store);  // no marker: the user's values stay
  EXPECT_EQ(store.GetSetting("setup", "Topme"), "1");

  // A marker written again (a reinstall) leaves automatic download as the user chose it.
  store.SaveSetting("setup", "Download", "1");
  std::ofstream(marker, std::ios::trunc) << "0123456789A";
  FirstRun(t.platform, store);
  EXPECT_EQ(store.GetSetting("setup", "Download"), "1");
}

}  // namespace
}  // namespace tv
