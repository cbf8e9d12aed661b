// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting a window into the screen's work area: sizes only shrink, the window is centred,
// and an unknown area leaves everything as designed.
#include <gtest/gtest.h>

#include <vector>

#include "platform/form.h"

namespace tv {
namespace {

constexpr int kPx = 15;  // twips a pixel

// Left, top, width and height, in pixels.
std::vector<int> Place(const WindowPlace& p) {
  return {p.left / kPx, p.top / kPx, p.width / kPx, p.height / kPx};
}

TEST(FitWindow, ShrinksOnlyWhatDoesNotFitAndCentres) {
  const ScreenArea area{0, 27 * kPx, 1024 * kPx, 741 * kPx};
  // Wider and taller than the area leaves beside the frame: both sides shrink.
  EXPECT_EQ(Place(FitWindow(area, 1120 * kPx, 720 * kPx, 8 * kPx, 44 * kPx)),
            (std::vector<int>{0, 27, 1016, 697}));
  // A small window keeps its size, centred.
  const WindowPlace p = FitWindow(area, 400 * kPx, 300 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(Place(p), (std::vector<int>{308, 27 + 198, 400, 300}));
  EXPECT_EQ(p.top, (27 + 198) * kPx + 7);
  // A second screen left of the first: negative positions are the area's own.
  EXPECT_EQ(Place(FitWindow({-800 * kPx, 0, 800 * kPx, 600 * kPx}, 900 * kPx, 100 * kPx, 0, 0)),
            (std::vector<int>{-800, 250, 800, 100}));
}

TEST(FitWindow, AnUnknownOrTinyAreaLeavesAUsableWindow) {
  const WindowPlace p = FitWindow(ScreenArea{}, 1120 * kPx, 720 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(p.width, 1120 * kPx);
  EXPECT_EQ(p.height, 720 * kPx);
  // An area smaller than the frame: the window keeps a side of 100 pixels, at the area.
  EXPECT_EQ(Place(FitWindow({10 * kPx, 20 * kPx, 40 * kPx, 30 * kPx}, 600 * kPx, 400 * kPx, 8 * kPx,
                            44 * kPx)),
            (std::vector<int>{10, 20, 100, 100}));
  // A window designed smaller than that is not enlarged.
  const WindowPlace small =
      FitWindow({0, 0, 40 * kPx, 30 * kPx}, 50 * kPx, 60 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(small.width, 50 * kPx);
  EXPECT_EQ(small.height, 60 * kPx);
}

}  // namespace
}  // namespace tv
