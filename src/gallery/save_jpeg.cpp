// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/save_jpeg.h"

namespace tv {

bool SaveJpeg(const BandSource& picture, int width, int height, const std::string& file,
              int quality) {
  if (file.empty()) return false;
  return SaveJpegFile(file, width, height, quality, picture);
}

std::string SaveNewJpeg(const BandSource& picture, int width, int height,
                        const std::function<std::string()>& next_name, int quality) {
  return SaveNewJpegFile(next_name, width, height, quality, picture);
}

}  // namespace tv
