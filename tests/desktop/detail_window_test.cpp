// The picture detail window in the real view: the picture on a black page.
#include "app/page_text.h"
#include "desktop/desktop_gallery.h"
#include "host/form_image.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;

TEST_F(DesktopGalleryTest, TheDetailWindowShowsThePictureOnABlackPage) {
  const std::string shot = TempPath("detail.png");
  const std::string picture = FileUrl(Folder() + "/p01.jpg");
  FormImage* window = nullptr;
  bool saved = false;
  Run({[&] {
         Settle();
         window = &ShowDetailWindow(App(), picture);
         gtk_window_resize(ToplevelOf(window), 600, 500);
       },
       [&] {
         HtmlView& view = *window->Web->View();
         EXPECT_TRUE(WaitUntil([&] { return !view.Busy(); }));
         Pause(300);
         saved = window->Native()->SaveImage(shot);
         CloseBox();
       }});
  ASSERT_TRUE(saved);
  GdkPixbuf* image = gdk_pixbuf_new_from_file(shot.c_str(), nullptr);
  ASSERT_NE(image, nullptr);
  const auto pixel = [&](int x, int y) {
    return gdk_pixbuf_get_pixels(image) + y * gdk_pixbuf_get_rowstride(image) +
           x * gdk_pixbuf_get_n_channels(image);
  };
  // The picture (320 x 240, centred at the top) and the black page around it.
  const int w = gdk_pixbuf_get_width(image);
  const guchar* centre = pixel(w / 2, 130);
  EXPECT_NEAR(centre[0], test::kPictureColour.r, 8);
  EXPECT_NEAR(centre[1], test::kPictureColour.g, 8);
  const guchar* side = pixel(30, 130);
  EXPECT_LT(side[0] + side[1] + side[2], 30);
  g_object_unref(image);
}

}  // namespace
}  // namespace tv
