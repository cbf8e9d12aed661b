// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of every window: each name a menu or a window gives is one the toolkit reads,
// and real key presses reach the commands of the gallery, the browser and the detail
// window.
#include "desktop/desktop_browser.h"
#include "desktop/xtest_input.h"
#include "download/form_download.h"
#include "favorites/favorites_dialog.h"
#include "favorites/form_dfg.h"
#include "gallery/properties_window.h"
#include "host/form_html.h"
#include "host/form_image.h"
#include "platform/gtk/menus.h"
#include "settings/form_setup.h"
#include "webpics/form_web.h"

namespace tv {
namespace {

using test::PressKeys;

class WindowKeysTest : public test::DesktopBrowserTest {
 protected:
  // Presses the keys with the window in front and its focus holder focused, then lets
  // the window take them.
  void Press(Form& form, Control& focus, const std::string& keys) {
    gtk_window_present(ToplevelOf(&form));
    form.SetFocus(focus);
    Pause(150);
    PressKeys(keys);
    Pause(250);
  }
  // Keys into the browser with the current page's focus holder focused.
  void PressInFrame(const std::string& keys) {
    Press(Frame(), *Browser().CurrentPage()->focus_holder, keys);
  }
};

TEST_F(WindowKeysTest, EveryKeyNameOfEveryWindowIsReadByTheToolkit) {
  FrmMain gallery(App());
  FormExplore frame(App());
  FormImage image(App());
  FormHtml source(App());
  FormSetup setup(App());
  Favorites favourite(App(), frame);
  FormDfg organiser(App(), frame);
  FormDownload download(App(), frame);
  FormProperties properties(App(), "/nowhere/p01.jpg");
  int names = 0;
  for (Form* form : std::initializer_list<Form*>{&gallery, &frame, &image, &source, &setup,
                                                 &favourite, &organiser, &download, &properties}) {
    std::vector<std::string> keys;
    for (const auto& c : form->Controls()) {
      if (!c->Shortcut.empty()) keys.push_back(c->Shortcut);
    }
    for (const Form::WindowShortcut& s : form->shortcuts) keys.push_back(s.keys);
    for (const std::string& k : keys) {
      guint key = 0;
      GdkModifierType mods{};
      EXPECT_TRUE(ParseShortcut(k, key, mods)) << form->Name() << ": " << k;
      ++names;
    }
  }
  EXPECT_GT(names, 40);
  // A mistyped name is caught, not dropped without a word.
  guint key = 0;
  GdkModifierType mods{};
  EXPECT_FALSE(ParseShortcut("Ctrl+PageDwon", key, mods));
}

TEST_F(WindowKeysTest, GalleryKeysPageZoomAndFullScreen) {
  int after_down = 0, after_end = 0, after_up = 0, after_home = 0, zoom_after = 0;
  bool full = false, back = true;
  Run({[&] {
         Settle();
         Gallery().per_page = 5;
         Gallery().FirstPage();
       },
       [&] {
         Settle();
         Press(Gallery(), *Gallery().focus_holder, "Page_Down");
         after_down = Gallery().current_page;
         Press(Gallery(), *Gallery().focus_holder, "End");
         after_end = Gallery().current_page;
         Press(Gallery(), *Gallery().focus_holder, "Page_Up");
         after_up = Gallery().current_page;
         Press(Gallery(), *Gallery().focus_holder, "Home");
         after_home = Gallery().current_page;
       },
       [&] {
         Settle();
         Press(Gallery(), *Gallery().focus_holder, "Ctrl+plus");
         Press(Gallery(), *Gallery().focus_holder, "Ctrl+plus");
         Press(Gallery(), *Gallery().focus_holder, "Ctrl+minus");
         zoom_after = Gallery().zoom;
         Press(Gallery(), *Gallery().focus_holder, "F11");
         full = Gallery().FullScreen() && !Gallery().FindControl("Command1")->Visible();
         Press(Gallery(), *Gallery().focus_holder, "Escape");
         back = Gallery().FullScreen() || !Gallery().FindControl("Command1")->Visible();
         CloseBox();
       }});
  EXPECT_EQ(after_down, 2);
  EXPECT_EQ(after_end, 3);
  EXPECT_EQ(after_up, 2);
  EXPECT_EQ(after_home, 1);
  EXPECT_EQ(zoom_after, 110);
  EXPECT_TRUE(full) << "F11 left the window as it was";
  EXPECT_FALSE(back) << "Escape did not bring the buttons back";
}

TEST_F(WindowKeysTest, BrowserKeysTabsAddressFindAndFullScreen) {
  int tabs_after_t = 0, cur_after_tab = -1, cur_after_shift_tab = -1, tabs_after_w = 0;
  bool address_selected = false, find_open = false, find_closed = false, full = false;
  bool back = true;
  double zoomed = 0, reset = 0;
  Run({[&] { OpenBrowser(); },
       [&] {
         ASSERT_TRUE(FirstTab());
         Pause(300);
         PressInFrame("Ctrl+T");
         tabs_after_t = Browser().TabCount;
         PressInFrame("Ctrl+Tab");
         cur_after_tab = Browser().CurTab;
         PressInFrame("Ctrl+Shift+Tab");
         cur_after_shift_tab = Browser().CurTab;
       },
       [&] {
         HtmlView& view = *Browser().CurrentPage()->Web->View();
         PressInFrame("Ctrl+plus");
         zoomed = view.ZoomLevel();
         PressInFrame("Ctrl+0");
         reset = view.ZoomLevel();
         Frame().address_box->SetText("http://127.0.0.1:9/");
         PressInFrame("Ctrl+L");
         GtkWidget* focus = gtk_window_get_focus(ToplevelOf(&Frame()));
         int start = 0, end = 0;
         address_selected = focus && GTK_IS_EDITABLE(focus) &&
                            gtk_editable_get_selection_bounds(GTK_EDITABLE(focus), &start, &end) &&
                            end - start == static_cast<int>(Frame().address_box->Text().size());
         PressInFrame("Ctrl+F");
         find_open = Frame().find_box->Visible();
         PressInFrame("Escape");
         find_closed = !Frame().find_box->Visible();
         PressInFrame("F11");
         full = Frame().FullScreen() && !Frame().address_box->Visible() &&
                !Frame().top_panel->Visible();
         PressInFrame("Escape");
         back = Frame().FullScreen() || !Frame().address_box->Visible();
         PressInFrame("Ctrl+W");
         tabs_after_w = Browser().TabCount;
         Frame().FindControl("mnuFileExit")->FireClick();
         CloseBox();
       }});
  EXPECT_EQ(tabs_after_t, 2);
  EXPECT_EQ(cur_after_tab, 0) << "Ctrl+Tab goes round to the first tab";
  EXPECT_EQ(cur_after_shift_tab, 1);
  EXPECT_GT(zoomed, 1.05);
  EXPECT_DOUBLE_EQ(reset, 1.0);
  EXPECT_TRUE(address_selected);
  EXPECT_TRUE(find_open);
  EXPECT_TRUE(find_closed);
  EXPECT_TRUE(full);
  EXPECT_FALSE(back);
  EXPECT_EQ(tabs_after_w, 1);
}

}  // namespace
}  // namespace tv
