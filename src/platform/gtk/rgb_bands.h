// SPDX-License-Identifier: GPL-3.0-or-later
// Hands out a rendered page (32-bit premultiplied pixels, as cairo stores them) as RGB
// bands of a fixed size, padding with white where the rendering is smaller.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/jpeg.h"

namespace tv {

struct ArgbPixels {
  std::shared_ptr<const void> owner;  // keeps `data` alive
  const uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;         // bytes per row
  bool has_alpha = true;  // false: the top byte is undefined and the pixel is opaque
};

// One 32-bit premultiplied pixel (native byte order) as RGB over white.
inline void ArgbToRgb(const uint8_t* argb, bool has_alpha, uint8_t* rgb) {
  uint32_t p;
  std::memcpy(&p, argb, 4);
  uint32_t lift = has_alpha ? 255 - (p >> 24) : 0;
  uint32_t c[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
  for (int i = 0; i < 3; ++i) rgb[i] = static_cast<uint8_t>(c[i] + lift > 255 ? 255 : c[i] + lift);
}

// A source of `width` x `height` RGB rows; rows outside that size are refused.
BandSource RgbBands(ArgbPixels pixels, int width, int height);

}  // namespace tv
