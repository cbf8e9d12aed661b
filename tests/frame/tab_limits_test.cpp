// SPDX-License-Identifier: GPL-3.0-or-later
// The tab tables' bounds: the last slot, the closed-page stack beyond its end, and a
// background page whose Timer2 would move the current tab.
#include <gtest/gtest.h>

#include "host/html_view.h"
#include "program/browser_state.h"
#include "support/browser_rig.h"

namespace tv::test {
namespace {

TEST(TabLimits, TheTabAfterTheLastSlotIsRefusedWithAMessage) {
  BrowserRig rig;
  for (int i = 1; i < kTabSlots; ++i) rig.frame->NewTab();
  ASSERT_EQ(rig.tabs().TabCount, kTabSlots);
  rig.frame->NewTab();
  EXPECT_EQ(rig.tabs().TabCount, kTabSlots);
  EXPECT_EQ(rig.tabs().CurTab, kTabSlots - 1);
  EXPECT_EQ(rig.output.str().rfind("message: ", 0), 0u);
  // A page's own new window is refused the same way.
  HtmlView* view = nullptr;
  bool cancel = false;
  rig.tabs().CurrentPage()->Web_NewWindow2(view, cancel);
  EXPECT_TRUE(cancel);
  EXPECT_EQ(view, nullptr);
  // Once one closes, its slot serves the next tab.
  rig.frame->CloseCurrentTab();
  rig.frame->NewTab();
  EXPECT_EQ(rig.tabs().TabCount, kTabSlots);
  EXPECT_EQ(rig.tabs().FreeCount, 0);
}

TEST(TabLimits, TheClosedPageStackNeverReadsOrWritesPastItsEnds) {
  BrowserRig rig;
  BrowserState& b = rig.tabs();
  const auto stack = [&] { return std::pair<int, int>{b.ClosedTop, b.TabCount}; };
  b.ClosedTop = kTabSlots + 1;
  rig.frame->RestoreClosedPage();
  EXPECT_EQ(stack(), (std::pair{kTabSlots, 1}));
  rig.frame->RestoreClosedPage();
  EXPECT_EQ(stack(), (std::pair{kTabSlots - 1, 1}));
  b.ClosedUrls[kTabSlots - 1] = "about:last";  // the last index is a real entry again
  rig.frame->RestoreClosedPage();
  EXPECT_EQ(stack(), (std::pair{kTabSlots - 2, 2}));

  // Past the top nothing is stored and nothing wraps; the address list still gets its entry.
  b.ClosedTop = INT16_MAX - 1;
  const size_t listed = rig.frame->address_box->List().size();
  for (int i = 0; i < 2; ++i) {
    rig.frame->NewTab();
    rig.frame->CloseCurrentTab();
    EXPECT_EQ(b.ClosedTop, INT16_MAX);
  }
  EXPECT_EQ(rig.frame->address_box->List().size(), listed + 2);
}

TEST(TabLimits, LongAddressesAreNeitherStackedNorListed) {
  BrowserRig rig;
  rig.frame->NewTab();
  rig.tabs().CurrentPage()->Web->View()->Navigate("http://x.example/" + std::string(83, 'a'));
  rig.platform.loop.DoEvents();
  rig.frame->CloseCurrentTab();
  EXPECT_EQ(rig.tabs().ClosedTop, -1);
  EXPECT_EQ(rig.frame->address_box->List().size(), 9u);
}

TEST(TabLimits, ClosingTheFrameLeavesNoStaleActiveView) {
  BrowserRig rig;
  rig.frame->NewTab();
  ASSERT_NE(rig.app.State().active_view, nullptr);
  rig.app.Unload(*rig.frame);
  rig.app.CollectUnloaded();
  EXPECT_EQ(rig.app.State().active_view, nullptr);
  EXPECT_EQ(rig.app.State().active_window, nullptr);
  EXPECT_EQ(rig.app.FindWindow("FormWeb"), nullptr);
}

}  // namespace
}  // namespace tv::test
