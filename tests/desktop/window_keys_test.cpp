// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of every window: each name a menu or a window gives is one the toolkit reads,
// and real key presses reach the commands of the gallery, the browser and the detail
// window; Escape closes every dialog and side window, and leaving full screen gives every
// control its clicks back.
#include <functional>
#include <map>

#include "desktop/desktop_browser.h"
#include "desktop/widget_faults.h"
#include "desktop/xtest_input.h"
#include "download/form_download.h"
#include "favorites/favorites_dialog.h"
#include "favorites/form_dfg.h"
#include "gallery/properties_window.h"
#include "host/form_html.h"
#include "host/form_image.h"
#include "platform/gtk/menus.h"
#include "settings/form_setup.h"
#include "text/page_text.h"
#include "webpics/form_web.h"

namespace tv {
namespace {

using test::CentreOf;
using test::MovePointer;
using test::PressAndRelease;
using test::PressKeys;
using test::ScreenPoint;

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
  // Keys into a window as it comes up, the focus where the window put it.
  void PressIn(Form& form, const std::string& keys) {
    gtk_window_present(ToplevelOf(&form));
    Pause(200);
    PressKeys(keys);
    Pause(250);
  }
  // A real click on the menu bar's first menu opens it; Escape closes it again.
  bool MenuOpensOnClick(Form& form) {
    GtkWidget* item = test::FindWidget(GTK_WIDGET(ToplevelOf(&form)), [](GtkWidget* w) {
      return GTK_IS_MENU_ITEM(w) && GTK_IS_MENU_BAR(gtk_widget_get_parent(w));
    });
    if (!item) return false;
    MovePointer(test::CentreOnScreen(item));
    Pause(150);
    PressAndRelease(1);
    GtkWidget* menu = gtk_menu_item_get_submenu(GTK_MENU_ITEM(item));
    const bool open = WaitUntil([&] { return menu && gtk_widget_get_mapped(menu); }, 2000);
    PressKeys("Escape");
    Pause(250);
    return open;
  }
  // Waits for window `name`, closes it with a real Escape and checks that the window
  // below takes the next `key`; notes where either failed.
  void EscapeCloses(const std::string& name, Form& below, const std::function<void()>& key,
                    const std::function<bool()>& answered) {
    Form* window = nullptr;
    WaitUntil([&] { return (window = App().FindWindow(name)) && window->IsVisible(); }, 3000);
    if (!window) {
      left_open.push_back(name + " (never opened)");
      return;
    }
    PressIn(*window, "Escape");
    if (Form* still = App().FindWindow(name); still && still->IsVisible()) {
      left_open.push_back(name);
      still->RequestClose();
      Pause(200);
    }
    gtk_window_present(ToplevelOf(&below));
    Pause(200);
    key();
    if (!answered()) below_deaf.push_back(name);
  }
  void ExpectEscapeClosedAll() {
    EXPECT_TRUE(left_open.empty()) << "Escape left open: " << testing::PrintToString(left_open);
    EXPECT_TRUE(below_deaf.empty())
        << "no key reached the window below after: " << testing::PrintToString(below_deaf);
  }
  std::vector<std::string> left_open, below_deaf;

  // Whether the screen shows white at `p` (the X server's own pixels).
  static bool WhiteOnScreen(ScreenPoint p) {
    GdkPixbuf* pixel = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), p.x, p.y, 1, 1);
    if (!pixel) return false;
    const guchar* rgb = gdk_pixbuf_get_pixels(pixel);
    const bool white = rgb[0] > 235 && rgb[1] > 235 && rgb[2] > 235;
    g_object_unref(pixel);
    return white;
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

// The gallery's keys, full screen and the clicks after it; then Escape on the properties
// window and the detail window's keys, each followed by a key the gallery must take.
TEST_F(WindowKeysTest, GalleryAndDetailWindowKeys) {
  std::vector<int32_t> positions;
  int16_t zoomed = 0, unzoomed = 0, gallery_zoom = 0;
  bool closed = false;
  FormImage* image = nullptr;
  int after_down = 0, after_end = 0, after_up = 0, after_home = 0, zoom_after = 0;
  bool full = false, back = true, row_gone = false, layout_clicked = false, menu_opened = false;
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
         const ScreenPoint buttons = CentreOf(Gallery(), *Gallery().FindControl("Command1"));
         const ScreenPoint zoom_button = CentreOf(Gallery(), Gallery().zoom_buttons[0]);
         Press(Gallery(), *Gallery().focus_holder, "F11");
         full = Gallery().FullScreen() && !Gallery().FindControl("Command1")->Visible();
         Pause(300);
         // The white page lies where the button row was.
         row_gone = WhiteOnScreen(buttons) && WhiteOnScreen(zoom_button);
         Press(Gallery(), *Gallery().focus_holder, "Escape");
         back = Gallery().FullScreen() || !Gallery().FindControl("Command1")->Visible();
         Pause(300);
         Click(Gallery(), *Gallery().FindControl("Command7"));
         layout_clicked = Gallery().layout == 1;
         menu_opened = MenuOpensOnClick(Gallery());
         ASSERT_TRUE(ShowProperties(App(), Folder() + "/p01.jpg", &Gallery()));
         const int16_t zoom = Gallery().zoom;
         EscapeCloses(
             "FormProperties", Gallery(),
             [&] { Press(Gallery(), *Gallery().focus_holder, "Ctrl+plus"); },
             [&] { return Gallery().zoom == zoom + 10; });
         WebPictureList& list = State().web_pictures;
         for (int i = 0; i < 3; ++i) {
           list.entries[static_cast<size_t>(i)] =
               FileUrl(Folder() + "/p0" + std::to_string(i + 1) + ".jpg");
         }
         list.count = 3;
         image = &ShowDetailWindow(App(), list.entries[0]);
       },
       [&] {
         EXPECT_TRUE(WaitUntil([&] { return !image->page_view->View()->Busy(); }));
         // Next thrice goes round to the first; back thrice goes round the other way.
         for (const char* key : {"Right", "Page_Down", "space", "Left", "Page_Up", "BackSpace"}) {
           Press(*image, *image->focus_holder, key);
           positions.push_back(image->position);
         }
         WaitUntil([&] { return !image->page_view->View()->Busy(); });
         Pause(200);
         Press(*image, *image->focus_holder, "plus");
         zoomed = image->zoom;
         Press(*image, *image->focus_holder, "minus");
         unzoomed = image->zoom;
         Press(*image, *image->focus_holder, "Escape");
         closed = App().FindWindow("FormImage") == nullptr;
         const int16_t before = Gallery().zoom;
         Press(Gallery(), *Gallery().focus_holder, "Ctrl+plus");
         gallery_zoom = Gallery().zoom - before;
         CloseBox();
       }});
  EXPECT_EQ(after_down, 2);
  EXPECT_EQ(after_end, 3);
  EXPECT_EQ(after_up, 2);
  EXPECT_EQ(after_home, 1);
  EXPECT_EQ(zoom_after, 110);
  EXPECT_TRUE(full) << "F11 left the window as it was";
  EXPECT_FALSE(back) << "Escape did not bring the buttons back";
  EXPECT_TRUE(row_gone) << "the button row stayed painted in full screen";
  EXPECT_TRUE(layout_clicked) << "a button of the row took no click after full screen";
  EXPECT_TRUE(menu_opened) << "the menu bar took no click after full screen";
  ExpectEscapeClosedAll();
  EXPECT_EQ(positions, (std::vector<int32_t>{1, 2, 0, 2, 1, 0}));
  EXPECT_EQ(zoomed, 110);
  EXPECT_EQ(unzoomed, 100);
  EXPECT_TRUE(closed) << "Escape left the detail window open";
  EXPECT_EQ(gallery_zoom, 10) << "the gallery took no key after the detail window closed";
}

// The browser's keys, full screen and the clicks after it; then Escape on each of its
// dialogs and side windows, each followed by a key the browser must take.
TEST_F(WindowKeysTest, BrowserKeysAndEscapeOnItsDialogs) {
  int tabs_after_t = 0, cur_after_tab = -1, cur_after_shift_tab = -1, tabs_after_w = 0;
  bool address_selected = false, find_open = false, find_closed = false, full = false;
  bool back = true, panel_gone = false, home_clicked = false, menu_opened = false;
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
         // Full screen with the find bar open, over a white page.
         Browser().CurrentPage()->Web->View()->Navigate("about:blank");
         Pause(300);
         PressInFrame("Ctrl+F");
         std::vector<ScreenPoint> panel;
         for (const char* name : {"TextUrl", "CmbSearch", "Command5", "TextLab(0)"}) {
           panel.push_back(CentreOf(Frame(), *Frame().FindControl(name)));
         }
         panel.push_back(CentreOf(Frame(), *Frame().find_box));
         PressInFrame("F11");
         full = Frame().FullScreen() && !Frame().address_box->Visible() &&
                !Frame().top_panel->Visible();
         Pause(300);
         panel_gone = true;
         for (ScreenPoint p : panel) panel_gone = panel_gone && WhiteOnScreen(p);
         PressInFrame("Escape");
         back = Frame().FullScreen() || !Frame().address_box->Visible();
         Pause(300);
         const int tabs = Browser().TabCount;
         Click(Frame(), *Frame().FindControl("Command5"));
         home_clicked = WaitUntil([&] { return Browser().TabCount == tabs + 1; }, 3000);
         menu_opened = MenuOpensOnClick(Frame());
         PressInFrame("Ctrl+W");
         tabs_after_w = Browser().TabCount;
         for (const auto& [command, window] :
              std::map<std::string, std::string>{{"yuan", "FormHtml"},
                                                 {"addhome", "Favorites"},
                                                 {"SearchDir", "FormDfg"},
                                                 {"DownLoadFile", "FormDownload"},
                                                 {"zhushouopt", "FormSetup"}}) {
           Frame().FindControl(command)->FireClick();
           const int count = Browser().TabCount;
           EscapeCloses(
               window, Frame(), [&] { PressInFrame("Ctrl+T"); },
               [&] { return Browser().TabCount == count + 1; });
         }
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
  EXPECT_TRUE(panel_gone) << "the tool strip, tabs or find bar stayed painted in full screen";
  EXPECT_TRUE(home_clicked) << "the tool strip took no click after full screen";
  EXPECT_TRUE(menu_opened) << "the menu bar took no click after full screen";
  EXPECT_EQ(tabs_after_w, 2);
  ExpectEscapeClosedAll();
}

}  // namespace
}  // namespace tv
