// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery's screenshot: the whole current page, without scroll bars, as one JPEG.
#include <string>

#include "gallery/frm_main.h"
#include "gallery/save_jpeg.h"
#include "host/html_view.h"
#include "platform/platform.h"
#include "program/file_dialogs.h"

namespace tv {

namespace {

constexpr const char* kScreenshotTitle = "截图另存为";
constexpr int kScreenshotQuality = 80;
constexpr int kPageMargin = 4;  // pixels added to the page's scroll size each way

}  // namespace

void FrmMain::SaveScreenshot() {
  scratch = SaveFileDialog(app_, this, kScreenshotTitle, "截图.jpg", kFilterPictures);
  if (scratch.empty()) return;
  const std::string file = scratch;
  FindControl("Command9")->SetEnabled(false);
  SetBusyPointer(true);

  HtmlView* doc = page_view->View();
  doc->SetBodyScroll(false);
  const int w = doc->ScrollWidth() + kPageMargin;
  const int h = doc->ScrollHeight() + kPageMargin;
  std::string problem;
  if (w > kMaxJpegSide || h > kMaxJpegSide) {
    problem = "页面太大（" + std::to_string(w) + " x " + std::to_string(h) +
              " 像素），无法保存为一张 JPEG 图片。";
  } else if (auto shot = doc->Snapshot(w, h); !shot) {
    problem = "无法截取当前页面，截图没有保存。";
  } else if (!SaveJpeg(*shot, w, h, file, kScreenshotQuality)) {
    problem = "无法写入文件 " + file + "，截图没有保存。";
  }
  // The page gets its scroll bars back before anything is shown over it.
  doc->SetBodyScroll(true);
  if (!problem.empty()) {
    Services().dialogs.MsgBox(this, problem, MsgIcon::Exclamation, kScreenshotTitle);
  }
  FindControl("Command9")->SetEnabled(true);
  SetBusyPointer(false);
  Beep();
}

}  // namespace tv
