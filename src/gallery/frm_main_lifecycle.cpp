// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, activation and close-down of the gallery window.
#include <string>

#include "gallery/frm_main.h"
#include "host/html_view.h"
#include "program/application.h"
#include "settings/kept_windows.h"
#include "settings/settings_schema.h"
#include "settings/shell_integration.h"

namespace tv {

namespace {

constexpr const char* kSettingsNotKept =
    "个人文件夹不能写入：本次的设置、收藏和历史记录不会保留，页面暂存在系统临时文件夹。";

std::string WithoutQuotes(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '"') out += c;
  }
  return out;
}

}  // namespace

void FrmMain::Form_Load() {
  Platform& p = Services();
  background = kStartBackground;
  scroll_step = 2;
  state_.exit_flag = false;
  layout = 0;
  page_view->View()->Navigate("about:blank");
  current_folder = p.paths.PicturesFolder();

  SettingsStore settings(p.settings);
  RestoreWindow(settings, "Main", *this);
  ShowKeptLook(ReadGalleryLook(settings));
  per_page = settings.NumberOr(kPicturesPerPage);
  status[4].SetCaption("每页显示：" + std::to_string(per_page));

  if (settings.Number(kShellMenu) == 1) {
    shell_menu_item->SetChecked(true);
    int action = 1;
    ShellVerbs(p, action);
  }

  std::string argument = WithoutQuotes(command_line);
  if (!argument.empty()) {
    if (argument[0] != '/') argument = p.paths.CurrentFolder() + argument;
    if (p.fs.IsFile(argument) && p.fs.FileLength(argument).value_or(0) >= 31) {
      auto slash = argument.rfind('/');
      start_file = argument.substr(slash + 1);
      argument = slash == 0 ? "/" : argument.substr(0, slash);
    } else {
      start_file.clear();
    }
    SetDriveFor(argument);
    SetDirPath(argument);
    Show();
    if (state_.pictures.count == 0) ListChosenFolder();
  }

  spare_view->View()->SetSilent(true);
  FirstRun(p, settings);
  Show();
  if (!p.paths.SettingsKept()) {
    p.dialogs.MsgBox(this, kSettingsNotKept, MsgIcon::Information, "Tessaview");
  }
  Form_Activate();
  app_.MainLoop();
}

void FrmMain::Form_Activate() {
  state_.active_window = this;
  state_.active_view = page_view->View();
}

void FrmMain::ReactivateTick() {
  if (Native() && Native()->IsForeground()) Form_Activate();
}

bool FrmMain::Form_QueryUnload() {
  KeepLook();
  SettingsStore settings(Services().settings);
  KeepWindow(settings, "Main", *this);
  Hide();
  state_.search_stop = true;
  state_.exit_flag = true;
  Services().fs.Delete(PageFile());
  return false;
}

void FrmMain::Quit() {
  app_.Unload(*this);
}

}  // namespace tv
