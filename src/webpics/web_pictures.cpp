// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/web_pictures.h"

#include <algorithm>

#include "text/text_util.h"
#include "webpics/page_pictures.h"

namespace tv {

namespace {

// Addresses come from pages: escaped so that none can add an element or attribute.
std::string PictureLink(const std::string& address, const std::string& picture_tail) {
  const std::string a = HtmlEscape(address);
  return "<a href=\"" + a + "\" target=\"_blank\"><img border=\"1\" src=\"" + a + "\"" +
         picture_tail + "\r\n";
}

// An empty gallery says why it is empty, in the page's own words.
std::string NoLargePictures(const WebPictureList& list) {
  return "<p>" + HtmlEscape("这个网页没有大图片") + "</p>\r\n<p>" +
         HtmlEscape("发现图片：" + std::to_string(list.found)) + "</p>\r\n";
}

// The entries that were stored: the count may pass the slots.
int StoredCount(const WebPictureList& list) {
  return std::clamp(list.count, 0, static_cast<int32_t>(list.entries.size()));
}

}  // namespace

void ScanLargePictures(const std::vector<HtmlElement>& elements, WebPictureList& list) {
  list.count = 0;
  list.found = 0;
  for (const HtmlElement& e : elements) {
    if (e.tag_name == "IMG" && IsPictureAddress(e.src) && list.found < INT32_MAX) ++list.found;
  }
  for (const PagePicture& p : PagePictures(elements)) {
    if (p.by_type) continue;
    if (list.count < static_cast<int32_t>(list.entries.size()))
      list.entries[list.count] = p.address;
    if (list.count < INT32_MAX) ++list.count;
  }
}

int SizedGalleryWidth(int view_twips, int columns) {
  const double base = RoundHalfEven(view_twips / 15.0 - 40);
  switch (columns) {
    case 2:
      return RoundHalfEven(base / 2);
    case 3:
      return RoundHalfEven(base / 3 - 7);
    case 4:
      return RoundHalfEven(base / 4 - 8);
    default:
      return static_cast<int>(base);
  }
}

std::string SizedGalleryPage(const WebPictureList& list, int columns, int width,
                             const std::string& background) {
  std::string page = "<body bgcolor=" + HtmlEscape(background) + ">\r\n";
  page +=
      "<body oncontextmenu=self.event.returnValue=false topmargin=0 leftmargin=0 "
      "rightmargin=0 bottommargin=0>\r\n";
  const bool centred = columns <= 1;
  if (centred) page += "<div align=center>\r\n";
  const std::string tail = " width=" + std::to_string(width) + "></a>\r\n";
  for (int i = 0; i < StoredCount(list); ++i) {
    page += PictureLink(list.entries[static_cast<size_t>(i)], tail);
  }
  if (list.count == 0) page += NoLargePictures(list);
  if (centred) page += "</div>\r\n";
  page += "</body>\r\n";
  return page;
}

std::string NaturalGalleryPage(const WebPictureList& list) {
  std::string page =
      "<body oncontextmenu=\"return false\" topmargin=0 leftmargin=0 rightmargin=0 "
      "bottommargin=0>\r\n"
      "<div align=center>\r\n";
  for (int i = 0; i < StoredCount(list); ++i) {
    page += PictureLink(list.entries[static_cast<size_t>(i)], "></a> \r\n");
  }
  if (list.count == 0) page += NoLargePictures(list);
  return page;
}

}  // namespace tv
