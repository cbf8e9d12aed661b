// SPDX-License-Identifier: GPL-3.0-or-later
// Printing, the context-menu toggle, the browser and the help menu.
#include <string>

#include "frame/form_explore.h"
#include "gallery/frm_main.h"
#include "gallery/maker_links.h"
#include "host/html_view.h"
#include "program/application.h"
#include "settings/settings_store.h"
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

void FrmMain::FprintSet_Click() {
  Web->View()->ExecWB(kCmdPageSetup, kOptPromptUser);
}
void FrmMain::FprintView_Click() {
  if (!Web->View()->QueryStatusWB(kCmdPrintPreview)) {
    Services().dialogs.MsgBox(this, "没有可以显示打印预览的程序（PDF 阅读器），无法预览。",
                              MsgIcon::Information, "打印预览");
    return;
  }
  Web->View()->ExecWB(kCmdPrintPreview, kOptPromptUser);
}
void FrmMain::Fprint_Click() {
  Web->View()->ExecWB(kCmdPrint, kOptDefault);
}

void FrmMain::Folder_Click() {
  Folder->SetChecked(!Folder->Checked());
  int action = Folder->Checked() ? 1 : 0;
  ShellVerbs(Services(), action);
  SettingsStore(Services().settings)
      .SaveSetting("setup", "RightMenu", Folder->Checked() ? "1" : "0");
}

void FrmMain::Command6_Click() {
  OpenBrowserFrame(app_);
}

void FrmMain::Command3_Click() {
  PopupMenu(*HelpM);
}

void FrmMain::HelpEmail_Click() {
  Services().shell.Open(std::string("mailto:") + kContactAddress +
                        "?subject=" + UriEscape(kContactSubject));
}

void FrmMain::HelpHome_Click() {
  Services().shell.Open(kHomePageUrl);
}
void FrmMain::LagFanti_Click() {
  Services().shell.Open(kTraditionalChineseUrl);
}
void FrmMain::LagEnglish_Click() {
  Services().shell.Open(kEnglishUrl);
}

void FrmMain::HelpAbout_Click() {
  Services().dialogs.About(this, kGalleryTitle,
                           "Tessaview 8.2 — 图片浏览器。以网页方式分页显示文件夹中的图片，"
                           "并可从网页中收集、保存图片。");
}

}  // namespace tv
