// SPDX-License-Identifier: GPL-3.0-or-later
// The page window's picture scan and its web gallery: the large pictures of the page as a
// page of their own in `WebPic`, at their own size or side by side at one width.
#include "frame/form_explore.h"
#include "host/form_image.h"
#include "host/html_view.h"
#include "program/application.h"
#include "text/text_util.h"
#include "webpics/form_web.h"
#include "webpics/web_pictures.h"

namespace tv {

void FormWeb::SearchPic() {
  WebPictureList& list = state_.web_pictures;
  // One read of the whole document: on the desktop a single script call.
  ScanLargePictures(Web->View()->All(), list);
  if (!count_only) {
    ShowGalleryPage(NaturalGalleryPage(list));
    status[2].SetCaption("图片总数：" + std::to_string(list.count));
    // Checking the switch shows the gallery; when it was off this scans once more.
    frame_.pictures_switch->SetValue(1);
  } else if (list.count > 0) {
    status[2].SetCaption("发现图片：" + std::to_string(list.count));
  }
}

void FormWeb::LoadPic() {
  if (columns == 0) columns = 1;
  const WebPictureList& list = state_.web_pictures;
  const int width = SizedGalleryWidth(Gallery().Width(), columns);
  ShowGalleryPage(SizedGalleryPage(list, columns, width, background_colour));
  status[2].SetCaption("图片总数：" + std::to_string(list.count));
  frame_.pictures_switch->SetValue(1);
}

void FormWeb::NextLayout() {
  if (++columns > 4) columns = 0;
  LoadPic();
}

void FormWeb::CycleWidthMode() {
  if (stretched_) {
    stretched_ = false;
    SearchPic();
  } else {
    stretched_ = true;
    columns = 0;
    NextLayout();
  }
}

void FormWeb::ShowGalleryPage(const std::string& text) {
  Platform& p = Services();
  const std::string file = p.paths.PageFile(kWebGalleryPage);
  // A failed write leaves the view showing whatever the file then holds.
  p.fs.SetAttributes(file, 0);
  p.fs.WriteWhole(file, text);
  p.fs.SetAttributes(file, kAttrHidden | kAttrSystem);
  p.loop.DoEvents();
  Gallery().View()->Navigate(file);
}

void FormWeb::WebPic_NewWindow2(HtmlView*&, bool& cancel) {
  // A gallery picture opens in the detail window, never in a browser tab.
  cancel = true;
  HtmlView& gallery = *WebPic->View();  // the view asking is the gallery
  const std::string address = gallery.ActiveElementHref();
  // A link to the gallery page itself is the page, not a picture of it.
  if (!IsPictureAddress(address) || address == gallery.LocationURL()) return;
  ShowDetailWindow(app_, address);
}

}  // namespace tv
