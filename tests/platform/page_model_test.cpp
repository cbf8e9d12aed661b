#include "platform/headless/page_model.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace tv {
namespace {

TEST(PageModel, ReadsLinksPicturesTitleAndBackground) {
  test::MemoryFileSystem fs;
  std::string png = "\x89PNG\r\n\x1a\n";
  png += std::string("\0\0\0\x0dIHDR\0\0\x01\x90\0\0\x00\xc8", 16) + std::string(16, '\0');
  fs.files["/p/a b.png"] = png;  // 400 x 200
  PageModel page = BuildPageModel(
      "<title>My &amp; page</title><body bgcolor=#000000>"
      "<a href=\"/p/a b.png\" target=\"_blank\"><img border=\"1\" src=\"/p/a b.png\"  width=100 "
      "title=a b.png ></a><A HREF='http://x.org/'>x</A>",
      500, fs);
  EXPECT_EQ(page.title, "My & page");
  EXPECT_EQ(page.background, "#000000");
  ASSERT_EQ(page.elements.size(), 5u);  // TITLE, BODY, A, IMG, A
  EXPECT_EQ(page.elements[2].tag_name, "A");
  EXPECT_EQ(page.elements[2].href, "file:///p/a%20b.png");
  EXPECT_EQ(page.elements[2].target, "_blank");
  const HtmlElement& img = page.elements[3];
  EXPECT_EQ(img.tag_name, "IMG");
  EXPECT_EQ(img.width, 102);  // 100 wide, the height kept in proportion, plus the border
  EXPECT_EQ(img.height, 52);
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
  EXPECT_EQ(ResolveAddress("/p/photo%201.jpg"), "file:///p/photo%201.jpg");
  EXPECT_EQ(ResolveAddress("/p/a b#c.jpg"), "file:///p/a%20b#c.jpg");
  EXPECT_EQ(ResolveAddress("/p/a?b.jpg"), "file:///p/a?b.jpg");
  EXPECT_EQ(ResolveAddress("/p/%2E%2E/%2e%2E%2Fv.png"), "file:///%2e%2E%2Fv.png");
  EXPECT_EQ(ResolveAddress("/p/./x/../y.png"), "file:///p/y.png");
  EXPECT_EQ(ResolveAddress("\\p\\b.png"), "file:///p/b.png");
  // Tabs and line breaks vanish; blanks around the address are dropped.
  EXPECT_EQ(ResolveAddress(" /p/a\tb\nc.png "), "file:///p/abc.png");
  // A byte that is no UTF-8 is lost as the engine loses it.
  EXPECT_EQ(ResolveAddress("/p/\xff.png"), "file:///p/%EF%BF%BD.png");
  EXPECT_EQ(ResolveAddress("/p/图.png"), "file:///p/%E5%9B%BE.png");
  EXPECT_EQ(ResolveAddress("http://x.org/a b"), "http://x.org/a b");
}

TEST(PageModel, ReadsCharacterReferencesInAttributes) {
  test::MemoryFileSystem fs;
  PageModel page = BuildPageModel("<img src=x width=1 height=1 title=a&#32;b&#x3d;&amp;c&#10;d>",
                                  100, fs);
  ASSERT_EQ(page.elements.size(), 1u);
  EXPECT_EQ(page.elements[0].title, "a b=&c\nd");
}

}  // namespace
}  // namespace tv
