// A decoded picture: what the browser windows save from the pictures of a page.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/jpeg.h"

namespace tv {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // packed, 3 bytes a pixel, transparency laid over white

  // The rows in bands, as SaveJpeg takes them; the picture must outlive the source.
  BandSource Bands() const {
    return [this](int first_row, int rows, uint8_t* out) {
      if (first_row < 0 || rows < 0 || first_row + rows > height) return false;
      const size_t row = static_cast<size_t>(width) * 3;
      std::memcpy(out, rgb.data() + static_cast<size_t>(first_row) * row,
                  static_cast<size_t>(rows) * row);
      return true;
    };
  }
};

// Decodes the bytes of a picture file (JPEG, PNG, GIF, BMP and whatever else the system's
// decoders read); nothing for bytes that are no picture, are cut short or are too large.
std::optional<Picture> DecodePicture(std::string_view bytes);

}  // namespace tv
