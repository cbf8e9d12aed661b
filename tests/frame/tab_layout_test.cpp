// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip after long runs of opening, closing and switching tabs: every open label
// stands where its position puts it and only the current tab's is white, whichever
// labels the layout after each step had to move.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "host/html_view.h"
#include "program/browser_state.h"
#include "support/browser_rig.h"

namespace tv::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBackgroundTab = 0x6E6E6E;

// What a layout of every label from scratch gives, compared with what the labels show.
void ExpectLaidOut(BrowserRig& rig, const std::string& step) {
  const BrowserState& b = rig.tabs();
  const double exact = static_cast<double>(rig.frame->FrameWidth()) / b.TabCount;
  int w = static_cast<int>(std::nearbyint(exact));  // the default rounding: halves to even
  w = std::min(w, 2500);
  int white = 0;
  for (int i = 0; i < b.TabCount; ++i) {
    const Control& label = rig.frame->tab_labels[b.TabOrder[i]];
    SCOPED_TRACE(step + ", position " + std::to_string(i));
    EXPECT_TRUE(label.Visible());
    EXPECT_EQ(label.Left(), i * w + 30);
    if (w >= 30) {
      EXPECT_EQ(label.Width(), w - 30);
    }
    const bool current = i == b.CurTab;
    EXPECT_EQ(label.BackColor(), current ? kWhite : kBackgroundTab);
    EXPECT_EQ(label.ForeColor(), current ? kBlack : kWhite);
    white += label.BackColor() == kWhite;
  }
  EXPECT_EQ(white, 1) << step;
}

TEST(TabLayout, EveryStepLeavesTheLabelsAsAFullLayoutWould) {
  BrowserRig rig;
  BrowserState& b = rig.tabs();
  unsigned seed = 7;
  auto next = [&seed](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  // Few wide tabs (the width cap, a width changing at every step), then a strip growing
  // to hundreds of narrow ones whose width stays the same for long runs, so most steps
  // move few labels, then all sorts of steps on the full strip.
  for (int round = 0; round < 900; ++round) {
    const bool growing = round >= 200 && round < 600;
    // A narrow frame while the strip grows: its tabs end up narrower than their gap.
    if (round == 200) {
      rig.frame->Resize(6000, 9000);
      rig.frame->LayOutTabs();
    }
    constexpr unsigned kGrowing[] = {0, 0, 0, 0, 0, 0, 2, 3, 4, 5};
    unsigned choice = growing ? kGrowing[next(10u)] : next(10u);
    if (b.TabCount < 3) choice = 0;
    const char* const names[] = {"open",   "open",         "open behind", "close current",
                                 "switch", "switch",       "close left",  "close right",
                                 "resize", "close current"};
    if (choice <= 1) {
      rig.frame->NewTab();
    } else if (choice == 2) {
      b.Topme = 1;
      rig.frame->LoadNewForm("about:tab " + std::to_string(round));
      b.Topme = 0;
    } else if (choice == 3 || choice == 9) {
      rig.frame->CloseCurrentTab();
    } else if (choice <= 5) {
      rig.frame->TabLabelMouseUp(b.TabOrder[next(static_cast<unsigned>(b.TabCount))], MouseArgs{1});
    } else if (choice == 6) {
      rig.frame->CloseLeft();
    } else if (choice == 7) {
      rig.frame->CloseRight();
    } else {  // the page windows move; the labels follow at the next layout
      rig.frame->Resize(6000 + static_cast<int>(next(12000)), 9000);
      rig.frame->LayOutTabs();
    }
    const std::string step = names[choice];
    ExpectLaidOut(rig, "step " + std::to_string(round) + " (" + step + ")");
    if (::testing::Test::HasFailure()) return;
    rig.platform.loop.DoEvents();
    rig.app.CollectUnloaded();
  }
}

}  // namespace
}  // namespace tv::test
