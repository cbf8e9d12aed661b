// SPDX-License-Identifier: GPL-3.0-or-later
// The headless view hands out the picture files of a local page at their natural size,
// as the desktop view hands out the bytes it received.
#include <gtest/gtest.h>

#include "host/html_view.h"
#include "platform/jpeg.h"
#include "platform/posix/posix_file_system.h"
#include "support/gallery_rig.h"

namespace tv {
namespace {

TEST(HeadlessCopyPicture, GivesThePictureFileAndItsOwnSize) {
  PosixFileSystem fs;
  test::GalleryRig rig(fs);
  const std::string picture = rig.home.Root() + "/big pic.jpg";
  ASSERT_TRUE(SaveJpegFile(picture, 640, 600, 80, [](int, int rows, uint8_t* rgb) {
    std::fill(rgb, rgb + rows * 640 * 3, 50);
    return true;
  }));
  const std::string page = rig.home.Write(
      "p.htm", "<p>x</p><img src=\"" + rig.home.Root() +
                   "/big pic.jpg\" width=100 height=90><img src=\"http://h/a.jpg\" width=9 "
                   "height=9><img src=\"/no/such.jpg\">");
  HtmlView& view = *rig.gallery.page_view->View();
  view.Navigate(page);
  rig.front->Loop().DoEvents();
  const std::vector<HtmlElement> all = view.All();
  ASSERT_EQ(all.size(), 4u);  // P, IMG, IMG, IMG
  EXPECT_EQ(all[1].natural_width, 640);
  EXPECT_TRUE(all[1].loaded);
  const auto bytes = view.HeldPicture(all[1].src);
  ASSERT_TRUE(bytes);
  auto copy = view.ShownPicture(1);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->width, 640);  // not the shown 100 x 90
  EXPECT_EQ(copy->height, 600);
  EXPECT_FALSE(view.HeldPicture(all[2].src));  // nothing of the network in headless runs
  EXPECT_FALSE(view.HeldPicture(all[3].src));  // a missing file
  EXPECT_FALSE(view.ShownPicture(4));          // past the elements
  EXPECT_FALSE(view.ShownPicture(-1));
}

}  // namespace
}  // namespace tv
