// SPDX-License-Identifier: GPL-3.0-or-later
// Real input in the real gallery window: a wheel notch and a right-click sent through
// XTest are taken by the main loop before the view sees them, and the close box ends the
// program and deletes the page.
#include "desktop/desktop_gallery.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;
using test::kPictureColour;
using test::MovePointer;
using test::PressAndRelease;
using test::ScreenPoint;
using test::ShownMenu;

TEST_F(DesktopGalleryTest, WheelRightClickAndCloseBoxInOneRun) {
  const std::string shot = TempPath("shot.png");
  ScreenPoint picture;
  bool saved = false, page_while_shown = false, menu_shown_before = true;
  int before = -1, down = -1, up = -1;
  std::string second, selected, menu_label;
  Run({[&] {
         Settle();
         // The saved image first, while the first picture is where the page put it.
         picture = InWindow(PictureCentre(0));
         saved = Gallery().Native()->SaveImage(shot);
         page_while_shown = PageExists();
         before = View().ScrollTop();
         MovePointer(OnScreen(ViewCentre()));
         Pause(100);
         PressAndRelease(5);
         // Captured while the loop runs; the main loop takes it once this step returns.
         Pause(100);
       },
       [&] {
         Pause(200);
         down = View().ScrollTop();
         PressAndRelease(4);
         Pause(100);
       },
       [&] {
         Pause(200);
         up = View().ScrollTop();
         second = State().pictures.At(1);
         MovePointer(OnScreen(PictureCentre(1)));
         // The view reports the link under the pointer as its status text.
         EXPECT_TRUE(WaitUntil([&] { return !Gallery().status_text.empty(); }, 3000));
         menu_shown_before = ShownMenu() != nullptr;
         PressAndRelease(3);
         Pause(100);
       },
       [&] {
         WaitUntil([] { return ShownMenu() != nullptr; }, 2000);
         selected = State().selected_picture;
         if (GtkMenu* menu = ShownMenu()) {
           menu_label = test::MenuItems(menu).at(0).second;
           gtk_menu_popdown(menu);
         }
         CloseBox();
       }});
  EXPECT_EQ(before, 0);
  EXPECT_EQ(down, 200);  // the main loop's 200, nothing of the view's own scrolling
  EXPECT_EQ(up, 0);
  ASSERT_FALSE(second.empty());
  EXPECT_EQ(selected, second);
  EXPECT_FALSE(menu_shown_before);
  EXPECT_EQ(menu_label, "打开图片(_O)");  // the first item of MyTools
  EXPECT_TRUE(page_while_shown);
  EXPECT_FALSE(PageExists());
  ASSERT_TRUE(saved);
  GdkPixbuf* image = gdk_pixbuf_new_from_file(shot.c_str(), nullptr);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(picture.x >= 0 && picture.x < gdk_pixbuf_get_width(image) && picture.y >= 0 &&
              picture.y < gdk_pixbuf_get_height(image));
  const guchar* pixel = test::PixelAt(image, picture.x, picture.y);
  EXPECT_NEAR(pixel[0], kPictureColour.r, 6);
  EXPECT_NEAR(pixel[1], kPictureColour.g, 6);
  EXPECT_NEAR(pixel[2], kPictureColour.b, 6);
  g_object_unref(image);
}

}  // namespace
}  // namespace tv
