// Hands out a rendered page (32-bit premultiplied pixels, as cairo stores them) as RGB
// bands of a fixed size, padding with white where the rendering is smaller.
#pragma once

#include <cstdint>
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

// A source of `width` x `height` RGB rows; rows outside that size are refused.
BandSource RgbBands(ArgbPixels pixels, int width, int height);

}  // namespace tv
