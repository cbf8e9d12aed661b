// SPDX-License-Identifier: GPL-3.0-or-later
// A tall page put together from pictures of the visible area: every pixel lands where
// the page has it, the view's stop at the page's end is allowed for, and a band is taken
// once however the rows are asked for.
#include "platform/gtk/page_tiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace tv {
namespace {

constexpr int kMarginRows = 4;  // what a caller asks beyond the page, as the screenshot does

// A page whose every pixel tells where it is, seen through a view of `view_w` x `view_h`
// that scrolls no further than the page's end.
struct FakeView {
  int page_w, page_h, view_w, view_h;
  int calls = 0;
  bool fail_after = false;
  int fail_at = 0;

  static uint32_t Colour(int x, int y) {
    return 0xFF000000u | (x & 0xFF) << 16 | (y & 0xFF) << 8 | (((x >> 8) * 7 + (y >> 8)) & 0xFF);
  }

  std::optional<PageTile> Take(int x, int y) {
    if (fail_after && calls >= fail_at) return std::nullopt;
    ++calls;
    PageTile tile;
    tile.x = std::min(x, page_w - view_w);
    tile.y = std::min(y, page_h - view_h);
    tile.width = view_w;
    tile.height = view_h;
    // The picture is wider than the client area, as when a scroll bar is shown.
    const int pic_w = view_w + 15;
    auto data = std::make_shared<std::vector<uint32_t>>(static_cast<size_t>(pic_w) * view_h);
    for (int r = 0; r < view_h; ++r) {
      for (int c = 0; c < pic_w; ++c) {
        (*data)[static_cast<size_t>(r) * pic_w + c] =
            c < view_w ? Colour(tile.x + c, tile.y + r) : 0xFF000000u;  // a black scroll bar
      }
    }
    tile.pixels.owner = data;
    tile.pixels.data = reinterpret_cast<const uint8_t*>(data->data());
    tile.pixels.width = pic_w;
    tile.pixels.height = view_h;
    tile.pixels.stride = pic_w * 4;
    return tile;
  }
  TileSource Source() {
    return [this](int x, int y) { return Take(x, y); };
  }
};

// Pulls the whole picture in bands of `band` rows and checks every pixel.
void ExpectWholePage(FakeView& view, int width, int height, int band) {
  BandSource source = TiledBands(view.Source(), width, height);
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * band * 3);
  int wrong = 0;
  for (int top = 0; top < height; top += band) {
    const int rows = std::min(band, height - top);
    ASSERT_TRUE(source(top, rows, rgb.data())) << "rows from " << top;
    for (int r = 0; r < rows; ++r) {
      for (int x = 0; x < width; ++x) {
        const int y = top + r;
        const uint8_t* p = &rgb[(static_cast<size_t>(r) * width + x) * 3];
        uint32_t want = x < view.page_w && y < view.page_h ? FakeView::Colour(x, y) : 0xFFFFFFu;
        uint32_t got = static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
        if ((got & 0xFFFFFF) != (want & 0xFFFFFF) && wrong++ < 5) {
          ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << got << " not "
                        << (want & 0xFFFFFF);
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(TiledBandsTest, APageTallerAndWiderThanTheViewIsWholeWithItsMarginWhite) {
  FakeView view{700, 2050, 300, 200};
  ExpectWholePage(view, view.page_w + kMarginRows, view.page_h + kMarginRows, 16);
  // Eleven bands of three tiles each: every band is taken once although 16-row requests
  // straddle them.
  EXPECT_EQ(view.calls, 11 * 3);
}

TEST(TiledBandsTest, APageNarrowerThanTheViewAndRequestsOfAnySize) {
  FakeView narrow{120, 950, 300, 400};
  narrow.view_w = 120;  // the page fills the view's width
  ExpectWholePage(narrow, 124, 954, 1);
  FakeView big{500, 1000, 500, 128};
  ExpectWholePage(big, 504, 1004, 333);
}

TEST(TiledBandsTest, AFailingViewOrRowsOutsideThePageFailTheRequest) {
  FakeView view{300, 1000, 300, 100};
  view.fail_after = true;
  view.fail_at = 4;  // two bands of two tiles (the second finds the right end)
  BandSource source = TiledBands(view.Source(), 304, 1004);
  std::vector<uint8_t> rgb(304 * 3 * 100);
  EXPECT_TRUE(source(0, 100, rgb.data()));
  EXPECT_TRUE(source(250, 40, rgb.data()));  // from the third band
  EXPECT_TRUE(source(300, 10, rgb.data()));  // still in that band
  EXPECT_FALSE(source(400, 10, rgb.data()));
  EXPECT_FALSE(source(990, 20, rgb.data()));
  EXPECT_FALSE(source(-1, 1, rgb.data()));
  EXPECT_FALSE(source(0, 1, nullptr));
}

}  // namespace
}  // namespace tv
