// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/page_lines.h"

#include <gtest/gtest.h>

#include "gallery/picture_name.h"

namespace tv {
namespace {

TEST(PageLines, ExactBytesOfEachLayout) {
  EXPECT_EQ(PictureLineText(PictureLine::Row, "/p/a.jpg", "a.jpg", 470),
            "<a href=\"/p/a.jpg\" target=\"_blank\"><img border=\"1\" src=\"/p/a.jpg\"  "
            "width=470 title=a.jpg ></a> \r\n");
  EXPECT_EQ(PictureLineText(PictureLine::Fitted, "/p/a.jpg", "a.jpg", 950),
            "<p><a href=\"/p/a.jpg\" target=\"_blank\"><img border=\"1\" src=\"/p/a.jpg\" "
            "title=a.jpg ></a></p> \r\n");
  EXPECT_EQ(PictureLineText(PictureLine::Shrunk, "/p/a.jpg", "a.jpg", 950),
            "<p><a href=\"/p/a.jpg\" target=\"_blank\"><img border=\"1\" src=\"/p/a.jpg\" "
            "width=950 title=a.jpg ></a></p> \r\n");
  EXPECT_EQ(PictureLineText(PictureLine::Original, "/p/a.jpg", "a.jpg", 950),
            "<a href=\"/p/a.jpg\" target=\"_blank\"><img border=\"1\" src=\"/p/a.jpg\" "
            "title=a.jpg ></a>\r\n");
}

TEST(PageLines, NamesCannotInjectMarkup) {
  // The whole name is the unquoted title; markup characters are escaped.
  std::string line = PictureLineText(PictureLine::Row, "/p/my cat.jpg", "my cat.jpg", 10);
  EXPECT_NE(line.find("title=my&#32;cat.jpg >"), std::string::npos);
  line = PictureLineText(PictureLine::Row, "/p/\"><script>x</script>.png",
                         "\"><script>x</script>.png", 10);
  EXPECT_EQ(line.find("<script>"), std::string::npos);
  EXPECT_NE(line.find("&quot;&gt;&lt;script&gt;"), std::string::npos);
  EXPECT_NE(PictureLineText(PictureLine::Row, "/a&b.png", "a&b.png", 1).find("a&amp;b.png"),
            std::string::npos);
}

TEST(PageLines, ThumbnailWidthsRoundHalvesToEven) {
  // 15345 twips: V = 1023 - 30 = 993.
  const int v = ViewWidthPixels(15345);
  EXPECT_EQ(v, 993);
  EXPECT_EQ(ThumbnailWidth(0, v), 993);
  EXPECT_EQ(ThumbnailWidth(4, v), 993);
  EXPECT_EQ(ThumbnailWidth(1, v), 492);    // 491.5 -> 492
  EXPECT_EQ(ThumbnailWidth(2, v), 324);    // 324.0
  EXPECT_EQ(ThumbnailWidth(3, v), 240);    // 240.25
  EXPECT_EQ(ThumbnailWidth(5, v), 158);    // 157.5 -> 158
  EXPECT_EQ(ThumbnailWidth(1, 991), 490);  // 490.5 -> 490
  EXPECT_EQ(ViewWidthPixels(7), -30);      // 0.47 rounds to 0
}

TEST(PictureNames, ExtensionRule) {
  for (const char* yes : {"b.JPG", "c.gif", "png", "x.Tiff", "a.b.jpeg", "GIF"}) {
    EXPECT_TRUE(IsPictureName(yes)) << yes;
  }
  for (const char* no :
       {"a.txt", "d", "e.png.", "f.$$$", "g.jp", "h.", ".", "", "i.pngx", "j.bmp,jpg", "k.gif,"}) {
    EXPECT_FALSE(IsPictureName(no)) << no;
  }
}

}  // namespace
}  // namespace tv
