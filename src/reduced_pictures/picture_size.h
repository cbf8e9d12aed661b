// SPDX-License-Identifier: GPL-3.0-or-later
// Width and height of a picture read from its file header (PNG, GIF, JPEG, BMP, WebP,
// AVIF and HEIF).
#pragma once

#include <string>

namespace tv {

class FileSystem;

struct PictureSize {
  int width = 0;
  int height = 0;
};

// 0 x 0 when the file cannot be read, its format is not known or its header is cut
// short. Reads only the header: 32 bytes, or a JPEG's segment headers up to its frame,
// within a fixed bound whatever the file's size and content.
PictureSize GetPictureSize(FileSystem& fs, const std::string& path);

}  // namespace tv
