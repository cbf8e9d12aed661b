// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/open_folder.h"

#include "platform/platform.h"

namespace tv {

namespace {

constexpr const char* kTitle = "打开文件夹";

void SayNoFileManager(Platform& platform, Form* owner, const std::string& what) {
  platform.dialogs.MsgBox(owner, "没有可以打开文件夹的程序（文件管理器）：" + what,
                          MsgIcon::Exclamation, kTitle);
}

}  // namespace

bool OpenFolder(Platform& platform, Form* owner, const std::string& folder) {
  if (platform.shell.Open(folder)) return true;
  SayNoFileManager(platform, owner, folder);
  return false;
}

bool ShowInFolder(Platform& platform, Form* owner, const std::string& path) {
  if (platform.shell.ShowInFolder(path)) return true;
  SayNoFileManager(platform, owner, path);
  return false;
}

}  // namespace tv
