// SPDX-License-Identifier: GPL-3.0-or-later
// The picture detail window in the real view: the picture on a black page.
#include "desktop/desktop_gallery.h"
#include "host/form_image.h"
#include "text/page_text.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;

// A small picture shows on a black page; a photo larger than the window opens fitted to it;
// a real click on it shows it at its own size, a second click fits it again, and the zoom
// buttons zoom from the fitted size. One window shows both in turn.
TEST_F(DesktopGalleryTest, TheDetailWindowShowsABlackPageAndFitsALargePicture) {
  const std::string shot = TempPath("detail.png");
  bool saved = false;
  const std::string path = TempPath("wide.jpg");
  test::WriteSolidJpeg(path, 2560, 1600);
  FormImage* window = nullptr;
  // The shown picture's width and height on the screen, border included, and the view's,
  // as "w,h,vw,vh" (the client rectangle is in the zoomed page's own pixels).
  const char* kSizes =
      "(function(){var r=null;for(var i of document.images)if(i.offsetWidth)"
      "r=i.getBoundingClientRect();var z=parseFloat(document.body.style.zoom||'100')/100;"
      "return r?Math.round(r.width*z)+','+Math.round(r.height*z)+','+"
      "innerWidth+','+innerHeight:'';})()";
  std::string fitted, own, fitted_again, zoomed, natural;
  const auto eval = [&](const char* code) {
    return RunScript(WEBKIT_WEB_VIEW(WebViewWidget(window->page_view->View())), code).value_or("");
  };
  const auto sizes = [&] { return eval(kSizes); };
  Run({[&] {
         Settle();
         window = &ShowDetailWindow(App(), FileUrl(Folder() + "/p01.jpg"));
         gtk_window_resize(ToplevelOf(window), 600, 500);
       },
       [&] {
         EXPECT_TRUE(WaitUntil([&] { return !window->page_view->View()->Busy(); }));
         Pause(300);
         saved = window->Native()->SaveImage(shot);
         ShowDetailWindow(App(), FileUrl(path));
         gtk_window_resize(ToplevelOf(window), 800, 600);
       },
       [&] {
         HtmlView& view = *window->page_view->View();
         EXPECT_TRUE(WaitUntil([&] { return !view.Busy(); }));
         Pause(300);
         fitted = sizes();
         natural = eval(
             "(function(){var i=document.images;return i[0].naturalWidth+','+"
             "i[1].naturalWidth;})()");
         test::MovePointer(OnScreen({200, 100}, view));
         Pause(100);
         test::PressAndRelease(1);
       },
       [&] {
         WaitUntil([&] { return sizes().rfind("2562,", 0) == 0; }, 3000);
         own = sizes();
         test::PressAndRelease(1);
       },
       [&] {
         WaitUntil([&] { return sizes().rfind("2562,", 0) != 0; }, 3000);
         fitted_again = sizes();
         window->ZoomIn();
         Pause(200);
         zoomed = sizes();
         CloseBox();
       }});
  ASSERT_TRUE(saved);
  GdkPixbuf* image = gdk_pixbuf_new_from_file(shot.c_str(), nullptr);
  ASSERT_NE(image, nullptr);
  // The picture (320 x 240, centred at the top) and the black page around it.
  const guchar* centre = test::PixelAt(image, gdk_pixbuf_get_width(image) / 2, 130);
  EXPECT_NEAR(centre[0], test::kPictureColour.r, 8);
  EXPECT_NEAR(centre[1], test::kPictureColour.g, 8);
  const guchar* side = test::PixelAt(image, 30, 130);
  EXPECT_LT(side[0] + side[1] + side[2], 30);
  g_object_unref(image);
  int w = 0, h = 0, vw = 0, vh = 0;
  ASSERT_EQ(std::sscanf(fitted.c_str(), "%d,%d,%d,%d", &w, &h, &vw, &vh), 4) << fitted;
  EXPECT_LE(w, vw);
  EXPECT_LE(h, vh);
  EXPECT_TRUE(w >= vw - 4 || h >= vh - 4) << fitted;  // fitted, not smaller
  EXPECT_EQ(own.substr(0, own.find(',', 5)), "2562,1602");
  // The fitted picture reached the engine reduced; the one at its own size whole.
  int reduced = 0, whole = 0;
  ASSERT_EQ(std::sscanf(natural.c_str(), "%d,%d", &reduced, &whole), 2) << natural;
  EXPECT_LT(reduced, 2560);
  EXPECT_GE(reduced, w - 2);
  EXPECT_EQ(whole, 2560);
  EXPECT_EQ(fitted_again, fitted);
  int zw = 0;
  ASSERT_EQ(std::sscanf(zoomed.c_str(), "%d", &zw), 1) << zoomed;
  EXPECT_NEAR(zw, w * 1.1, 3);  // 110 % of the fitted size
}

}  // namespace
}  // namespace tv
