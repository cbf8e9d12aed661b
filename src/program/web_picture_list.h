// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide record of a web page's large pictures and of the picture saving every
// page window shares.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "program/saved_pictures.h"

namespace tv {

inline constexpr int kWebPictureEntries = 6001;  // indices 0 to 6000

struct WebPictureList {
  std::vector<std::string> entries = std::vector<std::string>(kWebPictureEntries);
  int32_t count = 0;  // qualifying pictures of the page scanned last; may pass 6001
  int32_t found = 0;  // every picture of that page, large or not
};

// What every page window's picture saving shares.
struct PictureSaving {
  std::string download_folder;   // where the next save writes, ending in "/" once used
  int32_t file_counter = 0;      // last part of the next file name; 0 at each run's start
  bool running = false;          // some window is saving: the others wait for Timer3
  SavedPictures saved;           // what the folder holds already, by content
  std::string refused_folder;    // took no file: automatic saves wait for the next page
  std::string told_refused;      // the user was told this folder takes no file; "" once it does
  bool told_unrecorded = false;  // the user knows the record takes no more pictures
};

}  // namespace tv
