// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting a window into the screen's work area: sizes only shrink, the window is centred,
// and an unknown area leaves everything as designed.
#include <gtest/gtest.h>

#include "platform/form.h"

namespace tv {
namespace {

constexpr int kPx = 15;  // twips a pixel

TEST(FitWindow, ShrinksOnlyWhatDoesNotFitAndCentres) {
  const ScreenArea area{0, 27 * kPx, 1024 * kPx, 741 * kPx};
  // Wider and taller than the area leaves beside the frame: both sides shrink.
  WindowPlace p = FitWindow(area, 1120 * kPx, 720 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(p.width, 1016 * kPx);
  EXPECT_EQ(p.height, 697 * kPx);
  EXPECT_EQ(p.left, 0);
  EXPECT_EQ(p.top, 27 * kPx);
  // A small window keeps its size, centred.
  p = FitWindow(area, 400 * kPx, 300 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(p.width, 400 * kPx);
  EXPECT_EQ(p.height, 300 * kPx);
  EXPECT_EQ(p.left, 308 * kPx);
  EXPECT_EQ(p.top, (27 + 198) * kPx + 7);
  // A second screen left of the first: negative positions are the area's own.
  p = FitWindow({-800 * kPx, 0, 800 * kPx, 600 * kPx}, 900 * kPx, 100 * kPx, 0, 0);
  EXPECT_EQ(p.left, -800 * kPx);
  EXPECT_EQ(p.width, 800 * kPx);
}

TEST(FitWindow, AnUnknownOrTinyAreaLeavesAUsableWindow) {
  WindowPlace p = FitWindow(ScreenArea{}, 1120 * kPx, 720 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(p.width, 1120 * kPx);
  EXPECT_EQ(p.height, 720 * kPx);
  // An area smaller than the frame: the window keeps a side of 100 pixels, at the area.
  p = FitWindow({10 * kPx, 20 * kPx, 40 * kPx, 30 * kPx}, 600 * kPx, 400 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(p.width, 100 * kPx);
  EXPECT_EQ(p.height, 100 * kPx);
  EXPECT_EQ(p.left, 10 * kPx);
  EXPECT_EQ(p.top, 20 * kPx);
  // A window designed smaller than that is not enlarged.
  p = FitWindow({0, 0, 40 * kPx, 30 * kPx}, 50 * kPx, 60 * kPx, 8 * kPx, 44 * kPx);
  EXPECT_EQ(p.width, 50 * kPx);
  EXPECT_EQ(p.height, 60 * kPx);
}

}  // namespace
}  // namespace tv
