// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/page_tiles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace tv {

namespace {

struct Band {
  TileSource tiles;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // `rows` rows of the page from `top`, 3 bytes a pixel
  int top = 0;
  int rows = 0;

  bool Holds(int y) const { return y >= top && y < top + rows; }

  // Paints one tile over the band where they meet.
  void Paint(const PageTile& tile) {
    const ArgbPixels& p = tile.pixels;
    const int tile_w = std::min({tile.width, p.width, width - tile.x});
    const int tile_h = std::min(tile.height, p.height);
    if (!p.data || tile_w <= 0 || tile.x < 0 || p.stride < p.width * 4) return;
    for (int r = 0; r < rows; ++r) {
      const int ty = top + r - tile.y;
      if (ty < 0 || ty >= tile_h) continue;
      const uint8_t* from = p.data + static_cast<size_t>(ty) * p.stride;
      uint8_t* to = rgb.data() + (static_cast<size_t>(r) * width + tile.x) * 3;
      for (int x = 0; x < tile_w; ++x)
        ArgbToRgb(from + static_cast<size_t>(x) * 4, p.has_alpha, to + x * 3);
    }
  }

  // Takes the band that starts at page row `y`: one tile per view width across the page.
  bool Take(int y) {
    auto first = tiles(0, y);
    if (!first || first->width <= 0 || first->height <= 0) return false;
    top = y;
    rows = std::min(first->height, height - y);
    rgb.assign(static_cast<size_t>(rows) * width * 3, 0xFF);
    Paint(*first);
    const int step = first->width;
    for (int x = step; x < width; x += step) {
      auto tile = tiles(x, y);
      if (!tile) return false;
      // A view at its right end shows the rest from further left.
      if (tile->x + tile->width <= x) break;
      Paint(*tile);
    }
    return true;
  }
};

}  // namespace

BandSource TiledBands(TileSource tiles, int width, int height) {
  auto band = std::make_shared<Band>();
  band->tiles = std::move(tiles);
  band->width = width;
  band->height = height;
  return [band](int first_row, int rows, uint8_t* rgb) {
    const int width = band->width, height = band->height;
    if (!rgb || width <= 0 || first_row < 0 || rows < 0 || first_row > height - rows) return false;
    for (int r = 0; r < rows; ++r) {
      const int y = first_row + r;
      if (!band->Holds(y) && !band->Take(y)) {
        band->rows = 0;
        return false;
      }
      std::memcpy(rgb + static_cast<size_t>(r) * width * 3,
                  band->rgb.data() + static_cast<size_t>(y - band->top) * width * 3,
                  static_cast<size_t>(width) * 3);
    }
    return true;
  };
}

}  // namespace tv
