// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/web_pictures.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

HtmlElement Img(const std::string& src, int w, int h) {
  HtmlElement e;
  e.tag_name = "IMG";
  e.src = src;
  e.width = w;
  e.height = h;
  return e;
}

TEST(WebPictures, OnlyPicturesPastBothBoundsCountInDocumentOrder) {
  WebPictureList list;
  HtmlElement div;
  div.tag_name = "DIV";
  div.width = div.height = 5000;
  ScanLargePictures(
      {Img("http://h/a", 521, 561), Img("http://h/b", 520, 561), Img("http://h/c", 521, 560), div,
       Img("http://h/d", 800, 900), Img("http://h/a", 521, 561)},
      list);
  ASSERT_EQ(list.count, 3);  // a picture used twice is listed twice
  EXPECT_EQ(list.entries[0], "http://h/a");
  EXPECT_EQ(list.entries[1], "http://h/d");
  EXPECT_EQ(list.entries[2], "http://h/a");
}

TEST(WebPictures, PicturesOfOtherAddressesAreNeitherListedNorLinked) {
  WebPictureList list;
  ScanLargePictures({Img("javascript:alert(1)", 600, 600), Img("", 600, 600),
                     Img("about:blank", 600, 600), Img("data:image/png;base64,AA", 600, 600),
                     Img("FILE:///p.jpg", 600, 600), Img("HTTPS://h/a.jpg", 600, 600)},
                    list);
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(list.entries[0], "data:image/png;base64,AA");
  EXPECT_EQ(NaturalGalleryPage(list).find("href=\"\""), std::string::npos);
  EXPECT_FALSE(IsLargePicture(Img("javascript:x", 600, 600)));
}

TEST(WebPictures, MoreThanTheSlotsCountOnButStoreNoMore) {
  WebPictureList list;
  std::vector<HtmlElement> page(kWebPictureEntries + 50, Img("http://h/x", 600, 600));
  page.back().src = "http://h/last";
  ScanLargePictures(page, list);
  EXPECT_EQ(list.count, kWebPictureEntries + 50);
  EXPECT_EQ(list.entries.size(), static_cast<size_t>(kWebPictureEntries));
  EXPECT_EQ(list.entries.back(), "http://h/x");
  // The sized page lists only what was stored.
  const std::string page_text = SizedGalleryPage(list, 2, 100, "#FFFFFF");
  size_t links = 0;
  for (size_t p = page_text.find("<a "); p != std::string::npos; p = page_text.find("<a ", p + 1))
    ++links;
  EXPECT_EQ(links, static_cast<size_t>(kWebPictureEntries));
}

TEST(WebPictures, SizedWidthsRoundHalvesToEven) {
  EXPECT_EQ(SizedGalleryWidth(9600, 0), 600);
  EXPECT_EQ(SizedGalleryWidth(9600, 1), 600);
  EXPECT_EQ(SizedGalleryWidth(9600, 2), 300);
  EXPECT_EQ(SizedGalleryWidth(9600, 3), 193);
  EXPECT_EQ(SizedGalleryWidth(9600, 4), 142);
  EXPECT_EQ(SizedGalleryWidth(9630, 4), 142);  // 142.5
  EXPECT_EQ(SizedGalleryWidth(300, 1), -20);   // a narrow view gives a negative width as is
}

TEST(WebPictures, GalleryPagesByteForByte) {
  WebPictureList list;
  list.entries[0] = "http://h/a.jpg";
  list.entries[1] = "http://h/b.jpg";
  list.count = 2;
  EXPECT_EQ(SizedGalleryPage(list, 1, 600, "#000000"),
            "<body bgcolor=#000000>\r\n"
            "<body oncontextmenu=self.event.returnValue=false topmargin=0 leftmargin=0 "
            "rightmargin=0 bottommargin=0>\r\n"
            "<div align=center>\r\n"
            "<a href=\"http://h/a.jpg\" target=\"_blank\"><img border=\"1\" "
            "src=\"http://h/a.jpg\" width=600></a>\r\n\r\n"
            "<a href=\"http://h/b.jpg\" target=\"_blank\"><img border=\"1\" "
            "src=\"http://h/b.jpg\" width=600></a>\r\n\r\n"
            "</div>\r\n</body>\r\n");
  EXPECT_EQ(SizedGalleryPage(WebPictureList{}, 3, 10, "#FFFFFF"),
            "<body bgcolor=#FFFFFF>\r\n"
            "<body oncontextmenu=self.event.returnValue=false topmargin=0 leftmargin=0 "
            "rightmargin=0 bottommargin=0>\r\n"
            "<p>这个网页没有大图片</p>\r\n<p>发现图片：0</p>\r\n</body>\r\n");
  EXPECT_EQ(NaturalGalleryPage(list),
            "<body oncontextmenu=\"return false\" topmargin=0 leftmargin=0 rightmargin=0 "
            "bottommargin=0>\r\n<div align=center>\r\n"
            "<a href=\"http://h/a.jpg\" target=\"_blank\"><img border=\"1\" "
            "src=\"http://h/a.jpg\"></a> \r\n\r\n"
            "<a href=\"http://h/b.jpg\" target=\"_blank\"><img border=\"1\" "
            "src=\"http://h/b.jpg\"></a> \r\n\r\n");
}

TEST(WebPictures, APageOfSmallPicturesSaysSoWithTheCountFound) {
  WebPictureList list;
  ScanLargePictures({Img("http://h/icon.png", 32, 32), Img("http://h/thumb.jpg", 300, 200),
                     Img("javascript:x", 900, 900), Img("http://h/wide.jpg", 1200, 400)},
                    list);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.found, 3);
  for (const std::string& page :
       {NaturalGalleryPage(list), SizedGalleryPage(list, 1, 600, "#FFFFFF")}) {
    EXPECT_NE(page.find("<p>这个网页没有大图片</p>\r\n<p>发现图片：3</p>\r\n"), std::string::npos)
        << page;
    EXPECT_EQ(page.find("<a "), std::string::npos);  // the small ones are not shown
  }
  // One large picture among them: the gallery shows it and says nothing more.
  ScanLargePictures({Img("http://h/icon.png", 32, 32), Img("http://h/big.jpg", 800, 900)}, list);
  EXPECT_EQ(list.found, 2);
  EXPECT_EQ(NaturalGalleryPage(list).find("这个网页没有大图片"), std::string::npos);
  EXPECT_EQ(SizedGalleryPage(list, 2, 300, "#FFFFFF").find("<p>"), std::string::npos);
}

TEST(WebPictures, AnAddressCannotAddMarkup) {
  WebPictureList list;
  list.entries[0] = "http://h/x.jpg\"><script>alert(1)</script><a b=\"&";
  list.count = 1;
  for (const std::string& page : {NaturalGalleryPage(list), SizedGalleryPage(list, 2, 9, "#FFF")}) {
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("x.jpg&quot;&gt;&lt;script&gt;"), std::string::npos);
  }
}

}  // namespace
}  // namespace tv
