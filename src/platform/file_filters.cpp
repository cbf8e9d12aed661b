// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_filters.h"

#include "platform/picture_formats.h"

namespace tv {

namespace {

std::vector<std::string> PicturePatterns() {
  std::vector<std::string> kinds = {"bmp", "jpg", "jpeg", "gif", "png", "tif", "tiff"};
  for (const std::string& extra : ExtraPictureExtensions()) kinds.push_back(extra);
  std::vector<std::string> patterns;
  for (const std::string& ext : kinds) {
    patterns.push_back("*." + ext);
    patterns.push_back(ext);  // a name without a dot is its own extension
  }
  return patterns;
}

std::string PictureLabel() {
  std::string label = "图像文件(BMP,JPG,GIF,PNG,TIF";
  for (const std::string& extra : ExtraPictureExtensions()) {
    if (extra == "heic") continue;  // HEIF names both
    label += ',';
    for (char c : extra) label += static_cast<char>(c - 'a' + 'A');
  }
  return label + ")";
}

}  // namespace

const std::vector<FileFilterEntry>& FileDialogFilters() {
  static const std::vector<FileFilterEntry> kFilters = {
      {"全部(*.*)", {"*"}},
      {PictureLabel(), PicturePatterns()},
      {"网页文件 (HTM,HTML)", {"*.htm", "*.html"}},
      {"文本文件 (TXT)", {"*.txt"}},
  };
  return kFilters;
}

}  // namespace tv
