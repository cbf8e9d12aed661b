// The large pictures of a web page: the program-wide list every page window's scan fills,
// the rule a picture must meet, and the gallery pages written from the list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/html_view.h"
#include "webpics/saved_pictures.h"

namespace tv {

inline constexpr int kWebPictureEntries = 6001;  // indices 0 to 6000

struct WebPictureList {
  std::vector<std::string> entries = std::vector<std::string>(kWebPictureEntries);
  int32_t count = 0;  // qualifying pictures of the page scanned last; may pass 6001
  int32_t found = 0;  // every picture of that page, large or not
};

// What every page window's picture saving shares.
struct PictureSaving {
  std::string download_folder;  // where the next save writes, ending in "/" once used
  int32_t file_counter = 0;     // last part of the next file name; 0 at each run's start
  bool running = false;         // some window is saving: the others wait for Timer3
  SavedPictures saved;          // what the folder holds already, by content
  std::string refused_folder;   // took no file: automatic saves leave it alone
};

// An address a picture can be had from and shown by the program: http(s), file or data.
bool IsPictureAddress(const std::string& address);

// Wider than 520 and higher than 560 pixels as shown: a page's own picture, not an icon,
// a button or a thumbnail.
bool IsLargePicture(const HtmlElement& e);

// Fills the list with the large pictures of `elements` in document order (a picture used
// twice is listed twice); pictures of other addresses (javascript:, about:) are passed over. The
// count goes on past the slots; addresses past them are lost.
void ScanLargePictures(const std::vector<HtmlElement>& elements, WebPictureList& list);

// Width of every picture of the sized gallery: from the view's width in twips and the
// columns mode (0 counts as 1).
int SizedGalleryWidth(int view_twips, int columns);

// The sized gallery page (both pages say so in words when no picture of the page is large): every
// picture `width` pixels wide, centred in mode 1.
std::string SizedGalleryPage(const WebPictureList& list, int columns, int width,
                             const std::string& background);
// The natural-size gallery page: every picture at its own size.
std::string NaturalGalleryPage(const WebPictureList& list);

}  // namespace tv
