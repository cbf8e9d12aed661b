// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/page_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_file_system.h"
#include "support/png_head.h"

namespace tv {
namespace {

TEST(PageModel, ReadsLinksPicturesTitleAndBackground) {
  test::MemoryFileSystem fs;
  fs.files["/p/a b.png"] = test::PngHead(400, 200);
  PageModel page = BuildPageModel(
      "<title>My &amp; page</title><body bgcolor=#000000>"
      "<a href=\"/p/a b.png\" target=\"_blank\"><img border=\"1\" src=\"/p/a b.png\"  width=100 "
      "title=a&#32;b&#x3d;&amp;c&#10;d ></a><A HREF='http://x.org/'>x</A>",
      500, fs);
  EXPECT_EQ(page.title, "My & page");
  EXPECT_EQ(page.background, "#000000");
  ASSERT_EQ(page.elements.size(), 5u);  // TITLE, BODY, A, IMG, A
  EXPECT_EQ(page.elements[2].href, "file:///p/a%20b.png");
  EXPECT_EQ(page.elements[2].target, "_blank");
  const HtmlElement& img = page.elements[3];
  EXPECT_EQ(img.width, 102);  // 100 wide, the height kept in proportion, plus the border
  EXPECT_EQ(img.height, 52);
  EXPECT_EQ(img.title, "a b=&c\nd");
  EXPECT_EQ(page.elements[4].href, "http://x.org/");
}

TEST(PageModel, FlowsPicturesIntoLinesOfTheViewWidth) {
  test::MemoryFileSystem fs;
  std::string html;
  for (int i = 0; i < 5; ++i) html += "<img src=x width=200 height=100>";
  PageModel page = BuildPageModel(html, 450, fs);  // two a line, three lines
  EXPECT_EQ(page.content_height, 300);
  EXPECT_EQ(page.content_width, 400);
  page = BuildPageModel("<p><img src=x width=10 height=10></p><p><img src=x width=10 height=10>",
                        450, fs);
  EXPECT_EQ(page.content_height, 20);
}

TEST(PageModel, AnyTextParsesWithoutHarm) {
  test::MemoryFileSystem fs;
  for (const char* html :
       {"<", "<<<>>>", "<img", "<img src=", "<a href=\"unclosed", "<!-- never closed", "</>",
        "<img width=-5 height=99999999999>", "<p =x ==y>", "\xff\xfe<\x00>"}) {
    PageModel page = BuildPageModel(html, 100, fs);
    for (const HtmlElement& e : page.elements) {
      EXPECT_GE(e.width, 0) << html;
      EXPECT_GE(e.height, 0) << html;
    }
  }
}

TEST(PageModel, ResolvesReferencesAsTheEngineDoes) {
  // Escapes already in the page are kept and read once; "#" and "?" end the path.
  EXPECT_EQ(ResolveAddress("/p/a b#c.jpg"), "file:///p/a%20b#c.jpg");
  EXPECT_EQ(ResolveAddress("/p/a?b.jpg"), "file:///p/a?b.jpg");
  EXPECT_EQ(ResolveAddress("/p/%2E%2E/%2e%2E%2Fv.png"), "file:///%2e%2E%2Fv.png");
  EXPECT_EQ(ResolveAddress("\\p\\b.png"), "file:///p/b.png");
  // Tabs and line breaks vanish; blanks around the address are dropped.
  EXPECT_EQ(ResolveAddress(" /p/a\tb\nc.png "), "file:///p/abc.png");
  // A byte that is no UTF-8 is lost as the engine loses it.
  EXPECT_EQ(ResolveAddress("/p/\xff.png"), "file:///p/%EF%BF%BD.png");
  EXPECT_EQ(ResolveAddress("/p/图.png"), "file:///p/%E5%9B%BE.png");
}

TEST(PageModel, ResolvesRelativeReferencesAgainstThePagesAddress) {
  const std::string web = "http://Pics.Example:8080/albums/2024/index.htm?sort=1#top";
  EXPECT_EQ(ResolveAddress("a.png", web), "http://pics.example:8080/albums/2024/a.png");
  EXPECT_EQ(ResolveAddress("../../../../a.png", web), "http://pics.example:8080/a.png");
  EXPECT_EQ(ResolveAddress("./sub/./b c.png", web),
            "http://pics.example:8080/albums/2024/sub/b%20c.png");
  EXPECT_EQ(ResolveAddress("//cdn.example/a.png", web), "http://cdn.example/a.png");
  EXPECT_EQ(ResolveAddress("?q=2", web), "http://pics.example:8080/albums/2024/index.htm?q=2");
  EXPECT_EQ(ResolveAddress("#f", web), "http://pics.example:8080/albums/2024/index.htm?sort=1#f");
  EXPECT_EQ(ResolveAddress("sub\\c.png?x\\y", web),
            "http://pics.example:8080/albums/2024/sub/c.png?x\\y");
  EXPECT_EQ(ResolveAddress("..", web), "http://pics.example:8080/albums/");
  // Written whole, or of another kind: as it stands.
  EXPECT_EQ(ResolveAddress("https://other.example/z.jpg", web), "https://other.example/z.jpg");
  EXPECT_EQ(ResolveAddress("javascript:void(0)", web), "javascript:void(0)");
  EXPECT_EQ(ResolveAddress("", web), "");
  // A local page resolves to files beside it.
  const std::string local = "file:///home/me/pages/gallery.htm";
  EXPECT_EQ(ResolveAddress("../pics/a#1.png", local), "file:///home/me/pics/a#1.png");
  // No address to resolve against (about:blank): only a path makes an address.
  EXPECT_EQ(ResolveAddress("a.png", "about:blank"), "a.png");
  EXPECT_EQ(ResolveAddress("/p/a.png", "about:blank"), "file:///p/a.png");
}

TEST(PageModel, LinksAndPicturesFollowTheBaseOfThePage) {
  test::MemoryFileSystem fs;
  const std::string html =
      "<html><head><title>t</title><!-- <base href=\"http://wrong.example/\"> -->"
      "</head><body><img src=\"a.png\" width=600 height=600>"
      "<base href=\"../shared/\"><base href=\"http://second.example/\">"
      "<a href=\"next.htm\">next</a><img src=\"/top.png\" width=1 height=1></body></html>";
  PageModel page = BuildPageModel(html, 800, fs, "http://site.example/a/b/page.htm");
  std::vector<std::string> addresses;
  for (const HtmlElement& e : page.elements) {
    if (!e.src.empty()) addresses.push_back(e.src);
    if (!e.href.empty()) addresses.push_back(e.href);
  }
  // The first base serves every element, those before it too; it is itself relative.
  EXPECT_EQ(addresses, (std::vector<std::string>{"http://site.example/a/shared/a.png",
                                                 "http://site.example/a/shared/next.htm",
                                                 "http://site.example/top.png"}));
  // Without a base: the page's own address.
  page = BuildPageModel("<img src=pic.jpg width=9 height=9>", 800, fs, "file:///w/p.htm");
  ASSERT_EQ(page.elements.size(), 1u);
  EXPECT_EQ(page.elements[0].src, "file:///w/pic.jpg");
}

}  // namespace
}  // namespace tv
