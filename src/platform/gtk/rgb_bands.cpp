// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/rgb_bands.h"

#include <cstring>

namespace tv {

BandSource RgbBands(ArgbPixels pixels, int width, int height) {
  return [pixels = std::move(pixels), width, height](int first_row, int rows, uint8_t* rgb) {
    if (!rgb || width <= 0 || first_row < 0 || rows < 0 || first_row > height - rows) {
      return false;
    }
    const bool usable =
        pixels.data && pixels.width > 0 && pixels.height > 0 && pixels.stride >= pixels.width * 4;
    for (int r = 0; r < rows; ++r) {
      int y = first_row + r;
      uint8_t* out = rgb + static_cast<size_t>(r) * width * 3;
      int copy = usable && y < pixels.height ? (width < pixels.width ? width : pixels.width) : 0;
      const uint8_t* row = copy ? pixels.data + static_cast<size_t>(y) * pixels.stride : nullptr;
      for (int x = 0; x < copy; ++x) {
        ArgbToRgb(row + static_cast<size_t>(x) * 4, pixels.has_alpha, out + x * 3);
      }
      std::memset(out + static_cast<size_t>(copy) * 3, 0xFF, static_cast<size_t>(width - copy) * 3);
    }
    return true;
  };
}

}  // namespace tv
