// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of a page at the size the page shows them: what the view hands the engine
// instead of a camera file it would decode whole. Safe to call from several threads.
#pragma once

#include <string>
#include <string_view>

#include "reduced_pictures/thumbnail_cache.h"

namespace tv::reduced {

struct ReducedPicture {
  enum Kind {
    kOriginal,  // the file itself does: the engine reads it as before
    kMade,      // `bytes` of type `mime` stand in for the file
    kFailed,    // the file is no picture that can be shown
  };
  Kind kind = kFailed;
  std::string bytes;
  std::string mime;
  int width = 0;  // of what was made
  int height = 0;
};

// The picture at `path` for a page that shows it at most `width` pixels wide (0: at its
// own size). Files the engine reads itself and that are no wider come back as kOriginal;
// wider ones become the smallest cached thumbnail at least that wide, made and stored
// when missing or out of date (a JPEG's 512- and 1024-pixel sizes come as their JPEG twin
// in the program's own folder); beyond the cache's largest size JPEGs are kept by width
// there, and other formats (TIFF, HEIF and AVIF, which the engine does not read) are made
// for this request alone.
ReducedPicture ReducePicture(const ThumbnailCache& cache, const std::string& path, int width);

// The EXIF orientation (1 to 8) in the payload of a JPEG APP1 segment; 1 when there is none
// or it cannot be read. Reads only within the bytes.
int ExifOrientation(std::string_view app1);

// The libjpeg scale denominator (1, 2, 4 or 8) that decodes a `width` x `height` picture
// straight to the smallest size that still covers `want_width` x `want_height`.
int JpegScaleDenominator(int width, int height, int want_width, int want_height);

// The size a picture takes in a square of `box` pixels, never enlarged.
struct Size2 {
  int width = 0;
  int height = 0;
};
Size2 FitInBox(int width, int height, int box);

}  // namespace tv::reduced
