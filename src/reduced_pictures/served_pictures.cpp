// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/served_pictures.h"

#include <sys/stat.h>

#include <algorithm>

namespace tv::reduced {

std::optional<FileVersion> VersionOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileVersion{int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec, st.st_size,
                     st.st_ino};
}

void ServedPictures::Served(const std::string& path, int width,
                            const std::optional<FileVersion>& version) {
  served_[path] = Copy{width, version};
}

bool ServedPictures::Stale(const PictureWidths& widths, int scale,
                           const VersionReader& version_of) const {
  bool stale = false;
  widths.ForEachPath([&](const std::string& path) {
    if (stale) return;
    const auto copy = served_.find(path);
    if (copy == served_.end()) return;
    stale =
        copy->second.width != widths.Shown(path, scale) || copy->second.version != version_of(path);
  });
  return stale;
}

bool ServedPictures::AnyReduced() const {
  return std::any_of(served_.begin(), served_.end(),
                     [](const auto& entry) { return entry.second.width != 0; });
}

}  // namespace tv::reduced
