// SPDX-License-Identifier: GPL-3.0-or-later
// Real clicks on the browser frame's top panel: the tool strip, the address box and the
// tabs take the mouse, also after full screen was switched on and off again.
#include "desktop/desktop_browser.h"

namespace tv {
namespace {

using test::CentreOf;
using test::MovePointer;
using test::PressAndRelease;

class FrameInputTest : public test::DesktopBrowserTest {
 protected:
  void Click(const Control& c) {
    MovePointer(CentreOf(Frame(), c));
    Pause(150);
    PressAndRelease(1);
  }

  // Opens the browser, clicks 首页 (a second tab), the first tab and the address box.
  void ClickThePanel(bool full_screen_first) {
    int tabs_after_home = 0, current_after_tab_click = -1;
    bool address_focused = false;
    Run({[&] { OpenBrowser(); },
         [&] {
           ASSERT_TRUE(FirstTab());
           if (full_screen_first) {
             Frame().FindControl("ShowMe")->FireClick();
             Pause(300);
             Frame().FindControl("ShowMe")->FireClick();
           }
           Pause(300);
           Click(*Frame().FindControl("Command5"));
         },
         [&] {
           WaitUntil([&] { return Browser().TabCount == 2; }, 3000);
           tabs_after_home = Browser().TabCount;
           Pause(300);
           Click(*Frame().FindControl("TextLab(0)"));
         },
         [&] {
           WaitUntil([&] { return Browser().CurTab == 0; }, 3000);
           current_after_tab_click = Browser().CurTab;
           Click(*Frame().address_box);
         },
         [&] {
           GtkWidget* focus = gtk_window_get_focus(ToplevelOf(&Frame()));
           WaitUntil(
               [&] {
                 focus = gtk_window_get_focus(ToplevelOf(&Frame()));
                 return focus && GTK_IS_ENTRY(focus);
               },
               3000);
           address_focused = focus && GTK_IS_ENTRY(focus);
           Frame().FindControl("mnuFileExit")->FireClick();
           CloseBox();
         }});
    EXPECT_EQ(tabs_after_home, 2) << "the click on 首页 was lost";
    EXPECT_EQ(current_after_tab_click, 0) << "the click on the first tab was lost";
    EXPECT_TRUE(address_focused) << "the click on the address box was lost";
  }
};

TEST_F(FrameInputTest, ThePanelTakesClicks) {
  ClickThePanel(false);
}

TEST_F(FrameInputTest, ThePanelTakesClicksAfterFullScreenOnAndOff) {
  ClickThePanel(true);
}

}  // namespace
}  // namespace tv
