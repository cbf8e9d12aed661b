// SPDX-License-Identifier: GPL-3.0-or-later
// The program's picture scheme answers local pages only, and names what it served as the
// page does.
#include "reduced_pictures/picture_requests.h"

#include <gtest/gtest.h>

namespace tv::reduced {
namespace {

TEST(PictureRequests, OnlyALocalPageGetsALocalPicture) {
  const char* asked = "tessaview-file:///home/u/a%20b%23.jpg";
  for (const char* page : {"http://127.0.0.1/x.htm", "https://example.org/", "about:blank",
                           "data:text/html,<img>", ""}) {
    EXPECT_FALSE(ReadPictureRequest(page, asked)) << page;
  }
  const auto request = ReadPictureRequest("file:///run/user/1/tessaview/1/Tpc.htm", asked);
  ASSERT_TRUE(request);
  // The escapes stay for the address-to-path conversion, which decodes them once.
  EXPECT_EQ(request->file_address, "file:///home/u/a%20b%23.jpg");
  EXPECT_FALSE(request->whole);
  // Only the scheme's own addresses are read; a look-alike name is not the scheme.
  EXPECT_FALSE(ReadPictureRequest("file:///p.htm", "tessaview-files:///a.jpg"));
  EXPECT_FALSE(ReadPictureRequest("file:///p.htm", "file:///a.jpg"));
}

TEST(PictureRequests, TheWholePictureQueryAloneAsksForItsOwnSize) {
  const auto whole = ReadPictureRequest("file:///p.htm", "tessaview-file:///a.jpg?tessaview-whole");
  ASSERT_TRUE(whole);
  EXPECT_TRUE(whole->whole);
  EXPECT_EQ(whole->file_address, "file:///a.jpg");
  const auto other =
      ReadPictureRequest("file:///p.htm", "tessaview-file:///a.jpg?x=tessaview-whole");
  ASSERT_TRUE(other);
  EXPECT_FALSE(other->whole);
  EXPECT_EQ(other->file_address, "file:///a.jpg");
}

TEST(PictureRequests, WidthsAreByPathAndScaleWithTheScreen) {
  const PictureWidths widths({{"/a.jpg", 150}, {"/b.jpg", 0}, {"/c.jpg", -3}});
  EXPECT_EQ(widths.Shown("/a.jpg", 1), 150);
  EXPECT_EQ(widths.Shown("/a.jpg", 2), 300);
  EXPECT_EQ(widths.Shown("/a.jpg", 0), 150);
  EXPECT_EQ(widths.Shown("/b.jpg", 2), 0);
  EXPECT_EQ(widths.Shown("/c.jpg", 1), 0);
  EXPECT_EQ(widths.Shown("/unnamed.jpg", 1), 0);
  EXPECT_EQ(AsPageNamesIt("tessaview-file:///a%20b.jpg"), "file:///a%20b.jpg");
  EXPECT_EQ(AsPageNamesIt("http://x/tessaview-file:a"), "http://x/tessaview-file:a");
}

}  // namespace
}  // namespace tv::reduced
