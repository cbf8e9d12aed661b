// Real clicks on the browser frame's top panel: the tool strip, the address box and the
// tabs take the mouse, also after full screen was switched on and off again.
#include "desktop/desktop_gallery.h"
#include "frame/browser_state.h"
#include "frame/form_explore.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;
using test::MovePointer;
using test::PressAndRelease;
using test::ScreenPoint;

// The fixed surface a window's controls sit on: the box's last child, below the menu bar.
GtkWidget* Surface(GtkWindow* window) {
  GtkWidget* box = gtk_bin_get_child(GTK_BIN(window));
  GList* children = gtk_container_get_children(GTK_CONTAINER(box));
  GtkWidget* surface = children ? GTK_WIDGET(g_list_last(children)->data) : nullptr;
  g_list_free(children);
  return surface;
}

// The centre of a control of `form` on the screen.
ScreenPoint CentreOf(Form& form, const Control& c) {
  GtkWindow* window = ToplevelOf(&form);
  int x = 0, y = 0, ox = 0, oy = 0;
  gtk_widget_translate_coordinates(Surface(window), GTK_WIDGET(window),
                                   (c.Left() + c.Width() / 2) / 15, (c.Top() + c.Height() / 2) / 15,
                                   &x, &y);
  gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(window)), &ox, &oy);
  return {x + ox, y + oy};
}

class FrameInputTest : public DesktopGalleryTest {
 protected:
  FormExplore& Frame() { return *dynamic_cast<FormExplore*>(App().FindWindow("FormExplore")); }
  BrowserState& Browser() { return State().browser; }

  void Click(const Control& c) {
    MovePointer(CentreOf(Frame(), c));
    Pause(150);
    PressAndRelease(1);
  }

  // Opens the browser, clicks 首页 (a second tab), the first tab and the address box.
  void ClickThePanel(bool full_screen_first) {
    int tabs_after_home = 0, current_after_tab_click = -1;
    bool address_focused = false;
    Run({[&] {
           Settle();
           Gallery().FindControl("Command6")->FireClick();
         },
         [&] {
           ASSERT_TRUE(WaitUntil([&] { return Browser().TabCount == 1; }));
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
           Click(*Frame().TextUrl);
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
