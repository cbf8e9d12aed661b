// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/picture_file_names.h"

#include "platform/file_system.h"
#include "text/utf8.h"

namespace tv {

namespace {

constexpr int kMaxTries = 100000;

}  // namespace

std::string MakePictureFileName(FileSystem& fs, const std::string& folder, const DateTime& now,
                                int32_t& counter) {
  const std::string stem = folder + std::to_string(now.year) + std::to_string(now.month) +
                           std::to_string(now.day) + "_" + std::to_string(now.hour) +
                           std::to_string(now.minute);
  for (int tries = 0; tries < kMaxTries && counter < INT32_MAX; ++tries) {
    std::string name = stem + std::to_string(counter++) + ".jpg";
    if (!fs.IsFile(name)) return name;
  }
  return "";
}

std::string ScreenshotName(const std::string& caption) {
  const size_t hyphen = caption.find('-');
  if (hyphen != std::string::npos) {
    const size_t before = CharCount(caption.substr(0, hyphen));
    if (before >= 2) return CharLeft(caption, before - 1) + ".jpg";
  }
  std::string name = caption;
  while (!name.empty() && (name.back() == ' ' || name.back() == '-')) name.pop_back();
  while (!name.empty() && (name.front() == ' ' || name.front() == '-')) name.erase(0, 1);
  return (name.empty() ? std::string("截图") : name) + ".jpg";
}

}  // namespace tv
