// SPDX-License-Identifier: GPL-3.0-or-later
// A decoded picture: what the browser windows save from the pictures of a page.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/jpeg.h"

namespace tv {

// The largest picture that is decoded for saving: 64 megapixels, at most 256 MB as a
// decoder holds it (4 bytes a pixel). Larger ones are refused, not decoded.
inline constexpr int64_t kMaxPicturePixels = 64'000'000;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // packed, 3 bytes a pixel, transparency laid over white
  // Where set, the rows come from the decoder's own copy instead, converted as they are
  // asked for, so that a picture is held decoded only once.
  BandSource rows;

  // The rows in bands, as SaveJpeg takes them; the picture must outlive the source.
  BandSource Bands() const {
    if (rows) return rows;
    return [this](int first_row, int rows, uint8_t* out) {
      if (first_row < 0 || rows < 0 || first_row + rows > height) return false;
      const size_t row = static_cast<size_t>(width) * 3;
      std::memcpy(out, rgb.data() + static_cast<size_t>(first_row) * row,
                  static_cast<size_t>(rows) * row);
      return true;
    };
  }
};

// Why bytes gave no picture. Only a format no decoder knows may be stood in for by the
// pixels a view shows: a damaged picture shows as much of itself as arrived.
enum class DecodeFault { kNone, kTooLarge, kDamaged, kUnknownFormat };

// Decodes the bytes of a picture file (JPEG, PNG, GIF, BMP and whatever else the system's
// decoders read); nothing for bytes that are no picture, are cut short or hold more than
// kMaxPicturePixels (then nothing of it was decoded), with the reason in `fault`.
std::optional<Picture> DecodePicture(std::string_view bytes, DecodeFault* fault = nullptr);

}  // namespace tv
