// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery's screenshot of a page taller than the engine renders in one piece: the
// JPEG holds the whole page at its scroll size plus 4 pixels, its last picture included,
// every picture where the page has it on both sides of every piece it was taken in, and
// the page is left where and as tall as the user had it.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <sstream>
#include <string>
#include <vector>

#include "desktop/desktop_gallery.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;
using test::kPictureColour;
using test::Rgb;

constexpr Rgb kLastColour{30, 60, 220};
constexpr int kTallPictures = 30;  // one page

// One page of tall, narrow pictures in the original-size layout, the last one blue.
class TallPageTest : public DesktopGalleryTest {
 protected:
  void MakePictures() override {
    for (int i = 1; i <= kTallPictures; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "/t%02d.jpg", i);
      test::WriteSolidJpeg(Folder() + name, 60, 1300,
                           i == kTallPictures ? kLastColour : kPictureColour);
    }
  }
};

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
};

void ExpectColour(GdkPixbuf* image, int x, int y, Rgb want, const char* what) {
  ASSERT_TRUE(x >= 0 && y >= 0 && x < gdk_pixbuf_get_width(image) &&
              y < gdk_pixbuf_get_height(image))
      << what;
  const guchar* p = test::PixelAt(image, x, y);
  EXPECT_NEAR(p[0], want.r, 12) << what << " at " << x << "," << y;
  EXPECT_NEAR(p[1], want.g, 12) << what << " at " << x << "," << y;
  EXPECT_NEAR(p[2], want.b, 12) << what << " at " << x << "," << y;
}

TEST_F(TallPageTest, APageTallerThanTheEngineRendersIsSavedWhole) {
  const std::string shot = TempPath("tall.jpg");
  int width = 0, height = 0, scrolled = -1, after = -1;
  std::string inner_before, inner_after;
  std::vector<Box> boxes;
  Box first, last;
  std::ostringstream reports;
  Run({[&] {
    Settle();
    // The page as the screenshot lays it out: without scroll bars.
    View().SetBodyScroll(false);
    width = View().ScrollWidth() + 4;
    height = View().ScrollHeight() + 4;
    auto box = [&](int i) {
      Box b;
      std::string at = Eval("(function(){var r=document.images[" + std::to_string(i) +
                            "].getBoundingClientRect();return [r.left+scrollX,r.top+scrollY,"
                            "r.width,r.height].map(Math.round).join();})()");
      EXPECT_EQ(std::sscanf(at.c_str(), "%d,%d,%d,%d", &b.left, &b.top, &b.width, &b.height), 4);
      return b;
    };
    for (int i = 0; i < kTallPictures; ++i) boxes.push_back(box(i));
    first = boxes.front();
    last = boxes.back();
    inner_before = Eval("String(window.innerHeight)");
    View().SetBodyScroll(true);
    View().ScrollBy(0, 700);
    scrolled = View().ScrollTop();

    Script().active = true;
    Script().out = &reports;
    Script().answers.push_back(shot);
    Gallery().SaveScreenshot();
    Script().active = false;
    after = View().ScrollTop();
    inner_after = Eval("String(window.innerHeight)");
    CloseBox();
  }});
  ASSERT_GT(height, 32767 + 4) << "the page is not taller than one rendering";
  ASSERT_LT(height, kMaxJpegSide);
  EXPECT_EQ(reports.str(), "save: 截图另存为: 截图.jpg\nbeep\n");  // no message of a failure
  EXPECT_EQ(scrolled, 700);
  EXPECT_EQ(after, 700);
  EXPECT_EQ(inner_after, inner_before) << "the view keeps its height";

  GError* error = nullptr;
  GdkPixbuf* image = gdk_pixbuf_new_from_file(shot.c_str(), &error);
  ASSERT_NE(image, nullptr) << (error ? error->message : "");
  EXPECT_EQ(gdk_pixbuf_get_width(image), width);
  EXPECT_EQ(gdk_pixbuf_get_height(image), height);
  const Rgb white{255, 255, 255};
  const int mid_first = first.left + first.width / 2, mid_last = last.left + last.width / 2;
  ExpectColour(image, mid_first, first.top + first.height / 2, kPictureColour, "first picture");
  // Every picture's edges, above and below the one-piece limit: a piece put in the wrong
  // place shifts some picture's edge.
  for (size_t i = 0; i + 1 < boxes.size(); ++i) {
    const Box& b = boxes[i];
    const std::string what = "picture " + std::to_string(i + 1);
    const int mid = b.left + b.width / 2;
    if (b.top >= 6) ExpectColour(image, mid, b.top - 6, white, (what + ", above").c_str());
    ExpectColour(image, mid, b.top + 5, kPictureColour, (what + ", top").c_str());
    ExpectColour(image, mid, b.top + b.height - 5, kPictureColour, (what + ", bottom").c_str());
    ExpectColour(image, mid, b.top + b.height + 5, white, (what + ", below").c_str());
  }
  // The last picture lies where the page has it: the bands meet without a seam or shift.
  ExpectColour(image, mid_last, last.top - 6, white, "above the last picture");
  ExpectColour(image, mid_last, last.top + 5, kLastColour, "top of the last picture");
  ExpectColour(image, mid_last, last.top + last.height / 2, kLastColour, "last picture");
  ExpectColour(image, mid_last, last.top + last.height - 5, kLastColour, "its bottom");
  ExpectColour(image, mid_last, height - 2, white, "the margin below the page");
  ExpectColour(image, width - 2, last.top + 5, white, "the right margin, without scroll bar");
  g_object_unref(image);
}

}  // namespace
}  // namespace tv
