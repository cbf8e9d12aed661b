// SPDX-License-Identifier: GPL-3.0-or-later
// One picture of a page into the download folder, taken from what the view holds and
// known by its content: a picture whose bytes were saved into that folder before (on
// this page, an earlier visit, another tab or an earlier run of the program) is not
// written again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "webpics/page_pictures.h"

namespace tv {

class FileSystem;
class SavedPictures;

enum class PictureSave {
  kWritten,       // a new file
  kAlreadySaved,  // its content is in the folder already
  kUnavailable,   // the page could not load or decode it, or it is too large: skipped
  kNotLarge,      // its own size is that of a thumbnail or an icon: skipped
  kTooSmall,      // written, but smaller than asked for, and removed again
  kNotWritten,    // the folder took no file
};

struct PictureTarget {
  FileSystem& fs;
  SavedPictures& saved;                   // the folder's record, in use for it
  std::function<std::string()> new_name;  // the next free file name; "" when none is left
  uint64_t min_length = 0;                // smaller files are removed again
  // False once the page has moved on: what was read then belongs to another page.
  std::function<bool()> page_still_shown;
  bool unrecorded = false;  // set when a file was written that the record could not take
};

// The picture at its own size, from the bytes the view holds or (with `fetch`) fetched;
// the pixels shown only for a format no decoder reads, shown whole.
PictureSave SaveWebPicture(HtmlView& view, const PagePicture& picture, PictureTarget& target,
                           bool fetch);

}  // namespace tv
