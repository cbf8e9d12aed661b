// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and showing one page of thumbnails.
#include <string>
#include <utility>
#include <vector>

#include "gallery/frm_main.h"
#include "gallery/page_lines.h"
#include "host/html_view.h"
#include "program/application.h"
#include "reduced_pictures/picture_size.h"

namespace tv {

std::string FrmMain::PageFile() const {
  return Services().paths.PageFile(kGalleryPage);
}

void FrmMain::ShowPictureCount() {
  const PictureList& list = state_.pictures;
  // A folder larger than the list says so instead of being cut without a word.
  if (list.left_out > 0) {
    status[2].SetCaption("图片总数：" + std::to_string(list.count) + "+");
    status[2].SetToolTipText("文件夹中共有 " + std::to_string(list.count + list.left_out) +
                             " 张图片，只列出了前 " + std::to_string(list.count) + " 张");
  } else {
    status[2].SetCaption("图片总数：" + std::to_string(list.count));
    status[2].SetToolTipText("");
  }
}

void FrmMain::FirstPage() {
  current_page = 1;
  page_buttons[0].SetEnabled(false);
  // The first page of a run comes back in the width mode it was left in.
  const int kept = kept_width_mode_;
  kept_width_mode_ = 0;
  if (kept != 0 && state_.pictures.count > 0) {
    ShowWidthMode(kept);
  } else {
    WritePage();
  }
}

void FrmMain::WritePage() {
  width_mode = 0;
  const int v = ViewWidthPixels(page_view->Width());
  const int w = ThumbnailWidth(layout, v);
  const bool centred = layout == 0 || layout == 4;
  WritePageFile(centred, [&](const std::string& path) {
    if (layout != 0) return PictureLineChoice{PictureLine::Row, w};
    const bool wider = GetPictureSize(Services().fs, path).width > w;
    return PictureLineChoice{wider ? PictureLine::Shrunk : PictureLine::Fitted, w};
  });
  SetBusyPointer(false);
}

void FrmMain::CycleWidthMode() {
  if (state_.pictures.count == 0) return;
  ShowWidthMode(width_mode + 1 > 2 ? 0 : width_mode + 1);
  KeepLook();
}

void FrmMain::ShowWidthMode(int toggle) {
  layout = 0;
  SetBusyPointer(true);
  width_mode = toggle;
  if (width_mode == 0) {
    WritePage();
    return;
  }
  const int v = ViewWidthPixels(page_view->Width());
  if (toggle == 1) layout = 4;
  WritePageFile(true, [&](const std::string&) {
    return PictureLineChoice{toggle == 1 ? PictureLine::Row : PictureLine::Original, v};
  });
  SetBusyPointer(false);
  SetFocus(*page_view);
}

void FrmMain::WritePageFile(bool centred, const PictureLineMaker& picture_line) {
  const PictureList& list = state_.pictures;
  const int start = (current_page - 1) * per_page;
  std::string page;
  page += "<body bgcolor=" + background + ">\r\n";
  page +=
      "<body oncontextmenu=self.event.returnValue=false topmargin=0 leftmargin=0 "
      "rightmargin=0 bottommargin=0>\r\n";
  if (centred) page += "<div align=center>\r\n";
  // A page past the end of the list (the per-page number grew) shows nothing.
  int i = start < 0 ? 0 : start;
  const int end = start + per_page;
  std::vector<std::pair<std::string, int>> widths;
  for (; i < end; ++i) {
    if (i >= list.count) break;
    const std::string& p = list.At(i);
    const std::string n = p.substr(p.rfind('/') + 1);
    if (i == start) current_folder = p.substr(0, p.rfind('/') + 1);
    const PictureLineChoice line = picture_line(p);
    page += PictureLineText(line.kind, p, n, line.width);
    widths.emplace_back(p, ShownWidthLimit(line.kind, line.width));
    page += "\r\n";
  }
  page_buttons[1].SetEnabled(i < list.count);
  if (centred) page += "</div>\r\n";
  page += "</body>\r\n";
  written_width_ = page_view->Width();
  Services().fs.WriteWhole(PageFile(), page);  // a failed write leaves the old page shown
  Services().fs.SetAttributes(PageFile(), kAttrHidden | kAttrSystem);

  Services().loop.DoEvents();
  page_count = list.count / per_page + (list.count % per_page > 0 ? 1 : 0);
  status_text.clear();
  page_view->View()->SetPictureWidths(widths);
  if (kept_zoom_ != 0) kept_zoom_armed_ = true;
  page_view->View()->Navigate(PageFile());
  status[0].SetCaption("当前路径：" + current_folder);
  ShowPictureCount();
  status[6].SetCaption("Corvex看图器     第 " + std::to_string(current_page) + " 页  ， 共 " +
                       std::to_string(page_count) + " 页");
}

}  // namespace tv
