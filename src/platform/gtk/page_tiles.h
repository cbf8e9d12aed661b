// SPDX-License-Identifier: GPL-3.0-or-later
// A page taller than the engine renders in one piece, put together from pictures of the
// visible area taken at one scroll position after another.
#pragma once

#include <functional>
#include <optional>

#include "platform/gtk/rgb_bands.h"
#include "platform/jpeg.h"

namespace tv {

// What the view shows after scrolling: `width` x `height` pixels of `pixels` from the page
// point (x, y) on. A view stops scrolling at the page's end, so (x, y) may lie before the
// point asked for.
struct PageTile {
  ArgbPixels pixels;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Scrolls the view towards the page point (x, y) and takes what it shows; nothing when it
// cannot.
using TileSource = std::function<std::optional<PageTile>(int x, int y)>;

// The page as `width` x `height` RGB rows, taken one band of the view's height at a time
// as the rows are asked for, so that only one band is held; what the page does not cover
// is white. Asking for rows out of order retakes bands.
BandSource TiledBands(TileSource tiles, int width, int height);

}  // namespace tv
