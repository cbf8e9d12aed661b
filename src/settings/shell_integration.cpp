// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/shell_integration.h"

#include "platform/platform.h"
#include "settings/settings_schema.h"

namespace tv {

namespace {

constexpr const char* kVerbName = "Tessaview";

struct VerbKey {
  RegRoot root;
  const char* key;
  bool command;  // holds the command line rather than the caption
};

constexpr VerbKey kWrites[] = {
    {RegRoot::ClassesRoot, "*\\shell\\", false},
    {RegRoot::ClassesRoot, "*\\shell\\Tessaview\\command", true},
    {RegRoot::ClassesRoot, "Directory\\shell\\pvw", false},
    {RegRoot::ClassesRoot, "Directory\\shell\\pvw\\command", true},
    {RegRoot::LocalMachine, "Software\\CLASSES\\Drive\\shell\\pvw", false},
    {RegRoot::LocalMachine, "Software\\CLASSES\\Drive\\shell\\pvw\\command", true},
};

constexpr VerbKey kDeletes[] = {
    {RegRoot::ClassesRoot, "*\\shell\\Tessaview\\command", false},
    {RegRoot::ClassesRoot, "*\\shell\\Tessaview", false},
    {RegRoot::ClassesRoot, "Directory\\shell\\pvw\\command", false},
    {RegRoot::ClassesRoot, "Directory\\shell\\pvw", false},
    {RegRoot::LocalMachine, "Software\\CLASSES\\Drive\\shell\\pvw\\command", false},
    {RegRoot::LocalMachine, "Software\\CLASSES\\Drive\\shell\\pvw", false},
};

}  // namespace

std::string ShellVerbCommand(Platform& platform) {
  return "\"" + platform.paths.ExecutablePath() + "\" \"%1\"";
}

void ShellVerbs(Platform& platform, int& action) {
  // Every step runs whatever the one before it did.
  if (action == 1) {
    const std::string command = ShellVerbCommand(platform);
    for (const auto& w : kWrites) {
      platform.registry.SetValue(w.root, w.key, "", w.command ? command : kVerbName);
    }
    platform.desktop.InstallOpenWith(platform.paths.ExecutablePath());
  } else {
    for (const auto& d : kDeletes) platform.registry.DeleteKey(d.root, d.key);
    platform.desktop.RemoveOpenWith();
  }
}

void FirstRun(Platform& platform, SettingsStore& settings) {
  const std::string marker = platform.paths.ProgramFolder() + kFirstRunMarker;
  uint64_t length = platform.fs.FileLength(marker).value_or(0);
  if (length <= 10) return;
  settings.Save(kBlockPopUps, "1");
  settings.Save(kJumpWindows, "1");
  // Off until the user turns it on: no page saves its pictures before anyone asked. A
  // choice already stored (by the user or whoever set the program up) stays.
  if (settings.GetSetting(kAutoDownload.section, kAutoDownload.key).empty()) {
    settings.Save(kAutoDownload, "0");
  }
  settings.Save(kBackgroundWindows, "0");
  settings.Save(kShellMenu, "1");
  settings.Save(kHomePage, kDefaultHomePage);
  settings.Save(kFirstRun, "Run");
  platform.fs.Delete(marker);
}

}  // namespace tv
