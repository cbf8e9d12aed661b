// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/page_pictures.h"

#include <array>

#include "text/text_util.h"

namespace tv {

namespace {

constexpr int kMinWidth = 520, kMinHeight = 560;

std::string Extension(const std::string& address) {
  size_t end = address.find_first_of("?#");
  if (end == std::string::npos) end = address.size();
  const size_t scheme = address.find("://");
  const size_t path = scheme == std::string::npos ? 0 : address.find('/', scheme + 3);
  if (path == std::string::npos || path >= end) return "";
  const size_t slash = address.rfind('/', end - 1);
  const size_t dot = address.rfind('.', end - 1);
  if (dot == std::string::npos || dot < slash) return "";
  return AsciiLower(address.substr(dot + 1, end - dot - 1));
}

bool OneOf(const std::string& word, std::initializer_list<const char*> words) {
  for (const char* w : words)
    if (word == w) return true;
  return false;
}

// What a link around a picture leads to: a picture file by its name, maybe one by the
// answer's type, or a page.
enum class LinkKind { kPage, kPicture, kMaybePicture };

LinkKind KindOfLink(const std::string& link) {
  const std::string lower = AsciiLower(link.substr(0, 8));
  if (lower.rfind("http://", 0) != 0 && lower.rfind("https://", 0) != 0) return LinkKind::kPage;
  const std::string ext = Extension(link);
  if (OneOf(ext, {"jpg", "jpeg", "jpe", "jfif", "png", "gif", "webp", "bmp", "avif", "tif", "tiff",
                  "heic", "heif"}))
    return LinkKind::kPicture;
  if (ext.empty() || !OneOf(ext, {"htm", "html", "xhtml", "shtml", "php", "asp", "aspx", "jsp",
                                  "cgi", "pl", "py", "txt", "pdf", "zip", "xml", "json"}))
    return link.find('#') == std::string::npos ? LinkKind::kMaybePicture : LinkKind::kPage;
  return LinkKind::kPage;
}

}  // namespace

bool IsLargeSize(int width, int height) {
  return width > kMinWidth && height > kMinHeight;
}

bool IsLargePicture(const HtmlElement& e) {
  return e.tag_name == "IMG" && IsPictureAddress(e.src) &&
         (IsLargeSize(e.width, e.height) || IsLargeSize(e.natural_width, e.natural_height));
}

PagePicture PictureShownBy(const HtmlElement& e, int index, const std::string& address) {
  PagePicture picture;
  picture.address = address;
  picture.element = index;
  picture.shown_width = e.width;
  picture.shown_height = e.height;
  picture.own_width = e.natural_width;
  picture.own_height = e.natural_height;
  picture.loaded = e.loaded;
  picture.large = true;
  return picture;
}

std::vector<PagePicture> PagePictures(const std::vector<HtmlElement>& elements) {
  std::vector<PagePicture> pictures;
  for (size_t i = 0; i < elements.size(); ++i) {
    const HtmlElement& e = elements[i];
    if (e.tag_name != "IMG") {
      // A box that shows a picture as its background, and is large as shown.
      if (!e.background.empty() && IsPictureAddress(e.background) &&
          IsLargeSize(e.width, e.height)) {
        PagePicture p;
        p.address = e.background;
        p.large = true;
        pictures.push_back(std::move(p));
      }
      continue;
    }
    const std::string shown = IsPictureAddress(e.shown_src) ? e.shown_src : e.src;
    if (!IsPictureAddress(shown)) continue;
    const bool large = IsLargePicture(e);
    const bool larger = !e.largest.empty() && e.largest != shown && IsPictureAddress(e.largest);
    // A lazy picture not loaded yet may show at no size at all: its own size decides.
    const bool waiting = e.lazy && !e.loaded && (e.width <= 1 || e.height <= 1);
    if (large || waiting) {
      PagePicture p;
      p.large = large;
      if (larger) {
        p.address = e.largest;
      } else {
        p.address = shown;
        p.element = static_cast<int>(i);
        p.shown_width = e.width;
        p.shown_height = e.height;
        p.loaded = e.loaded;
        if (e.loaded) {
          p.own_width = e.natural_width;
          p.own_height = e.natural_height;
        }
      }
      pictures.push_back(std::move(p));
    }
    // A thumbnail leads to its picture.
    if (e.link.empty() || e.link == shown || (larger && e.link == e.largest)) continue;
    const LinkKind kind = KindOfLink(e.link);
    if (kind == LinkKind::kPage) continue;
    PagePicture linked;
    linked.address = e.link;
    linked.by_type = kind == LinkKind::kMaybePicture;
    pictures.push_back(std::move(linked));
  }
  return pictures;
}

}  // namespace tv
