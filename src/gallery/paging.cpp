// SPDX-License-Identifier: GPL-3.0-or-later
// Moving between pages: previous and next, the jump prompt, refresh, and the number of
// thumbnails a page holds.
#include <string>

#include "gallery/frm_main.h"
#include "program/application.h"
#include "settings/settings_schema.h"
#include "text/text_util.h"

namespace tv {

void FrmMain::TurnPage(int index) {
  if (index == 1) {
    current_page += 1;
    page_buttons[0].SetEnabled(true);
  } else {
    current_page -= 1;
    if (current_page < 2) page_buttons[0].SetEnabled(false);
  }
  WritePage();
}

void FrmMain::PreviousPage() {
  if (page_buttons[0].Enabled()) TurnPage(0);
}

void FrmMain::NextPage() {
  if (page_buttons[1].Enabled()) TurnPage(1);
}

void FrmMain::PageEnd(bool last) {
  if (state_.pictures.count == 0) return;
  const int32_t pages = (state_.pictures.count + per_page - 1) / per_page;
  const int32_t page = last ? pages : 1;
  if (page == current_page) return;
  current_page = page;
  page_buttons[0].SetEnabled(page >= 2);
  WritePage();
}

void FrmMain::ShowFirstPage() {
  PageEnd(false);
}

void FrmMain::ShowLastPage() {
  PageEnd(true);
}

void FrmMain::JumpToPage() {
  Dialogs& dialogs = Services().dialogs;
  for (;;) {
    const std::string answer = dialogs.InputBox(this, "请输入即将跳转的页面序号……", "跳转页面至",
                                                std::to_string(current_page));
    const int n = RoundHalfEven(LeadingNumber(answer));
    if (n > page_count) {
      dialogs.MsgBox(this, "总共只有 " + std::to_string(page_count) + " 页，您超出范围了！",
                     MsgIcon::Information, "跳转页面至");
      continue;
    }
    if (n > 0) {
      current_page = n;
      page_buttons[0].SetEnabled(n >= 2);
      WritePage();
    }
    return;
  }
}

void FrmMain::Refresh() {
  if (state_.pictures.count > 0) WritePage();
}

void FrmMain::AskPicturesPerPage() {
  const std::string answer = Services().dialogs.InputBox(
      this, "设置图片浏览器每页显示的图片数目：\r\n\r\n（取值范围 30 至 200 之间）", "页面设置",
      std::to_string(per_page));
  const int n = RoundHalfEven(LeadingNumber(answer));
  if (n < kPicturesPerPage.min || n > kPicturesPerPage.max) return;
  SettingsStore(Services().settings).Save(kPicturesPerPage, n);
  per_page = n;
  status[4].SetCaption("每页显示：" + std::to_string(n));
}

}  // namespace tv
