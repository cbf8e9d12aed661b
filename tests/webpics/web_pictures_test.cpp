// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/web_pictures.h"

#include <gtest/gtest.h>

#include "webpics/page_pictures.h"

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

TEST(WebPictures, OnlyLargePicturesOfPictureAddressesCountInDocumentOrder) {
  WebPictureList list;
  HtmlElement div;
  div.tag_name = "DIV";
  div.width = div.height = 5000;
  ScanLargePictures(
      {Img("http://h/a", 521, 561), Img("http://h/b", 520, 561), Img("http://h/c", 521, 560), div,
       Img("http://h/d", 800, 900), Img("http://h/a", 521, 561),
       Img("javascript:alert(1)", 600, 600), Img("", 600, 600), Img("about:blank", 600, 600),
       Img("data:image/png;base64,AA", 600, 600), Img("FILE:///p.jpg", 600, 600),
       Img("HTTPS://h/a.jpg", 600, 600)},
      list);
  ASSERT_EQ(list.count, 6);  // a picture used twice is listed twice
  EXPECT_EQ(list.found, 8);  // the small ones too, but no script or blank
  EXPECT_EQ(list.entries[1], "http://h/d");
  EXPECT_EQ(list.entries[3], "data:image/png;base64,AA");
  EXPECT_EQ(NaturalGalleryPage(list).find("href=\"\""), std::string::npos);
}

TEST(WebPictures, EveryPictureIsFoundAtTheLargestVersionThePageNames) {
  HtmlElement column = Img("http://h/col.jpg", 500, 300);  // scaled down from 2000 x 1200
  column.natural_width = 2000, column.natural_height = 1200, column.loaded = true;
  HtmlElement set = Img("http://h/s1.jpg", 600, 600);
  set.shown_src = "http://h/s1.jpg", set.largest = "http://h/s2.jpg", set.loaded = true;
  HtmlElement thumb = Img("http://h/t.jpg", 100, 80);
  thumb.loaded = true, thumb.link = "http://h/big.jpg?x=1";
  HtmlElement to_page = Img("http://h/t2.jpg", 100, 80);
  to_page.link = "http://h/photo.html";
  HtmlElement by_type = Img("http://h/t3.jpg", 100, 80);
  by_type.link = "http://h/photo/7";
  HtmlElement lazy = Img("data:image/gif;base64,R0", 0, 0);
  lazy.lazy = true, lazy.largest = "http://h/lazy.jpg";
  HtmlElement box, small_box;
  box.tag_name = small_box.tag_name = "DIV";
  box.width = 900, box.height = 600, box.background = "http://h/bg.jpg";
  small_box.width = 900, small_box.height = 100, small_box.background = "http://h/strip.jpg";
  const std::vector<HtmlElement> page = {column,  set,  thumb, to_page,
                                         by_type, lazy, box,   small_box};
  std::vector<std::string> found;
  for (const PagePicture& p : PagePictures(page))
    found.push_back(p.address + (p.large ? " large" : "") + (p.by_type ? " by type" : ""));
  EXPECT_EQ(found, (std::vector<std::string>{"http://h/col.jpg large", "http://h/s2.jpg large",
                                             "http://h/big.jpg?x=1", "http://h/photo/7 by type",
                                             "http://h/lazy.jpg", "http://h/bg.jpg large"}));
  // The gallery lists them all but the link whose answer alone would tell.
  WebPictureList list;
  ScanLargePictures(page, list);
  EXPECT_EQ(list.count, 5);
  EXPECT_EQ(list.entries[4], "http://h/bg.jpg");
  // Only what is shown at its own size or larger may be taken from the screen.
  PagePicture shown = PagePictures({column})[0];
  EXPECT_FALSE(shown.ShownWhole());
  shown.shown_width = 2000, shown.shown_height = 1200;
  EXPECT_TRUE(shown.ShownWhole());
}

TEST(WebPictures, MoreThanTheSlotsCountOnButStoreNoMore) {
  WebPictureList list;
  std::vector<HtmlElement> page(kWebPictureEntries + 50, Img("http://h/x", 600, 600));
  page.back().src = "http://h/last";
  ScanLargePictures(page, list);
  EXPECT_EQ(list.count, kWebPictureEntries + 50);
  EXPECT_EQ(list.entries.back(), "http://h/x");
  // The sized page lists only what was stored.
  const std::string page_text = SizedGalleryPage(list, 2, 100, "#FFFFFF");
  size_t links = 0;
  for (size_t p = page_text.find("<a "); p != std::string::npos; p = page_text.find("<a ", p + 1))
    ++links;
  EXPECT_EQ(links, static_cast<size_t>(kWebPictureEntries));
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
