// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/page_shot.h"

#include "gallery/save_jpeg.h"
#include "host/html_view.h"

namespace tv {

namespace {

constexpr int kQuality = 80;
constexpr int kPageMargin = 4;  // pixels added to the page's scroll size each way

}  // namespace

std::string SavePageShot(HtmlView& view, const std::string& file) {
  view.SetBodyScroll(false);
  const int w = view.ScrollWidth() + kPageMargin;
  const int h = view.ScrollHeight() + kPageMargin;
  std::string problem;
  if (w > kMaxJpegSide || h > kMaxJpegSide) {
    problem = "页面太大（" + std::to_string(w) + " x " + std::to_string(h) +
              " 像素），无法保存为一张 JPEG 图片。";
  } else if (auto shot = view.Snapshot(w, h); !shot) {
    problem = "无法截取当前页面，截图没有保存。";
  } else if (!SaveJpeg(*shot, w, h, file, kQuality)) {
    problem = "无法写入文件 " + file + "，截图没有保存。";
  }
  view.SetBodyScroll(true);
  return problem;
}

}  // namespace tv
