#include "platform/file_filters.h"

namespace tv {

namespace {

std::vector<std::string> PicturePatterns() {
  std::vector<std::string> patterns;
  for (const char* ext : {"bmp", "jpg", "jpeg", "gif", "png", "tif", "tiff"}) {
    patterns.push_back(std::string("*.") + ext);
    patterns.push_back(ext);  // a name without a dot is its own extension
  }
  return patterns;
}

}  // namespace

const std::vector<FileFilterEntry>& FileDialogFilters() {
  static const std::vector<FileFilterEntry> kFilters = {
      {"全部(*.*)", {"*"}},
      {"图像文件(BMP,JPG,GIF,PNG,TIF)", PicturePatterns()},
      {"网页文件 (HTM,HTML)", {"*.htm", "*.html"}},
      {"文本文件 (TXT)", {"*.txt"}},
  };
  return kFilters;
}

}  // namespace tv
