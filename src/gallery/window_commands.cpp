// SPDX-License-Identifier: GPL-3.0-or-later
// Printing, the context-menu toggle, the browser and the help menu.
#include <string>

#include "frame/form_explore.h"
#include "gallery/frm_main.h"
#include "gallery/maker_links.h"
#include "host/html_view.h"
#include "program/application.h"
#include "settings/settings_schema.h"
#include "settings/shell_integration.h"

namespace tv {

namespace {

// Percent-escapes everything but unreserved characters, for a mail link's subject.
std::string UriEscape(const std::string& text) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace

void FrmMain::PrintSetup() {
  page_view->View()->ExecWB(kCmdPageSetup, kOptPromptUser);
}
void FrmMain::PrintPreview() {
  if (!page_view->View()->QueryStatusWB(kCmdPrintPreview)) {
    Services().dialogs.MsgBox(this, "没有可以显示打印预览的程序（PDF 阅读器），无法预览。",
                              MsgIcon::Information, "打印预览");
    return;
  }
  page_view->View()->ExecWB(kCmdPrintPreview, kOptPromptUser);
}
void FrmMain::Print() {
  page_view->View()->ExecWB(kCmdPrint, kOptDefault);
}

void FrmMain::ToggleShellMenu() {
  shell_menu_item->SetChecked(!shell_menu_item->Checked());
  int action = shell_menu_item->Checked() ? 1 : 0;
  ShellVerbs(Services(), action);
  SettingsStore(Services().settings).Save(kShellMenu, shell_menu_item->Checked() ? "1" : "0");
}

void FrmMain::OpenBrowser() {
  OpenBrowserFrame(app_);
}

void FrmMain::ShowHelpMenu() {
  PopupMenu(*help_menu);
}

void FrmMain::WriteToAuthor() {
  Services().shell.Open(std::string("mailto:") + kContactAddress +
                        "?subject=" + UriEscape(kContactSubject));
}

void FrmMain::OpenHomePage() {
  Services().shell.Open(kHomePageUrl);
}
void FrmMain::ShowTraditionalChinese() {
  Services().shell.Open(kTraditionalChineseUrl);
}
void FrmMain::ShowEnglish() {
  Services().shell.Open(kEnglishUrl);
}

void FrmMain::ShowAbout() {
  Services().dialogs.About(this, kGalleryTitle,
                           "Tessaview 8.2 — 图片浏览器。以网页方式分页显示文件夹中的图片，"
                           "并可从网页中收集、保存图片。");
}

}  // namespace tv
