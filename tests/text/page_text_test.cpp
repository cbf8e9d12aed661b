// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/page_text.h"

#include <gtest/gtest.h>

#include "gallery/page_lines.h"
#include "platform/headless/page_model.h"
#include "support/hostile_names.h"
#include "support/memory_file_system.h"
#include "text/text_util.h"

namespace tv {
namespace {

// The names files really have, and two no file can have but a page may still be given.
std::vector<std::string> Names() {
  std::vector<std::string> names = test::HostileNames(".jpg");
  names.push_back("\"><script>alert(1)</script>.png");
  names.push_back("trailing blank .png ");
  return names;
}

TEST(PageText, AddressesEscapeWhatTheViewWouldReadDifferentlyAndNothingElse) {
  EXPECT_EQ(PathForAddress("/p/图片/(1) [2] {3} ~+,;!@$^.png"), "/p/图片/(1) [2] {3} ~+,;!@$^.png");
  EXPECT_EQ(PathForAddress("/p/photo%201.jpg"), "/p/photo%25201.jpg");
  EXPECT_EQ(PathForAddress("/p/a#b?c\\d"), "/p/a%23b%3Fc%5Cd");
  EXPECT_EQ(PathForAddress("/p/a\tb\nc\rd\x7f"), "/p/a%09b%0Ac%0Dd%7F");
  EXPECT_EQ(PathForAddress("/p/\xb2\xe2.jpg"), "/p/%B2%E2.jpg");
  EXPECT_EQ(PathForAddress("/p/\xe5\x9b.jpg"), "/p/%E5%9B.jpg");  // a cut-short character
  EXPECT_EQ(PathForAddress("/p/\xed\xa0\x80"), "/p/%ED%A0%80");   // a surrogate
  EXPECT_EQ(PathForAddress("/p/a b.png  "), "/p/a b.png%20%20");
  EXPECT_EQ(UnquotedAttribute("my holiday.jpg"), "my&#32;holiday.jpg");
  EXPECT_EQ(UnquotedAttribute("a=b'c`d\"e>\n"), "a&#61;b&#39;c&#96;d&quot;e&gt;&#10;");
}

// Each thumbnail line, read as the view reads it, names its own file and carries the whole
// name as its title, and adds no element and no attribute.
TEST(PageText, EveryNameRoundTripsThroughThePage) {
  test::MemoryFileSystem fs;
  for (const std::string& name : Names()) {
    const std::string path = "/home/u/p q/" + name;
    for (PictureLine kind :
         {PictureLine::Row, PictureLine::Fitted, PictureLine::Shrunk, PictureLine::Original}) {
      const std::string line = PictureLineText(kind, path, name, 300);
      // One line, whatever the name holds.
      EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2) << name;
      PageModel page = BuildPageModel(line, 1000, fs);
      std::vector<std::string> tags;
      for (const HtmlElement& e : page.elements) tags.push_back(e.tag_name);
      const std::vector<std::string> expected =
          kind == PictureLine::Row || kind == PictureLine::Original
              ? std::vector<std::string>{"A", "IMG"}
              : std::vector<std::string>{"P", "A", "IMG"};
      ASSERT_EQ(tags, expected) << name;
      const HtmlElement& a = page.elements[tags.size() - 2];
      const HtmlElement& img = page.elements.back();
      EXPECT_EQ(PathFromStatusText(a.href), path) << name;
      EXPECT_EQ(PathFromStatusText(img.src), path) << name;
      EXPECT_EQ(a.target, "_blank");
      if (name.find('\xb2') == std::string::npos) {
        EXPECT_EQ(img.title, name);  // a byte that is no UTF-8 cannot show as itself
      }
    }
  }
}

TEST(PageText, ListLinesNeverSplit) {
  EXPECT_EQ(PathAsLine("/p/图 b.jpg"), "/p/图 b.jpg");
  EXPECT_EQ(PathAsLine("/p/a\r\nb 100%.jpg"), "file:///p/a%0D%0Ab%20100%25.jpg");
  EXPECT_EQ(PathFromStatusText(PathAsLine("/p/x\n#?\"\xb2.jpg")), "/p/x\n#?\"\xb2.jpg");
  EXPECT_EQ(FileUrl("/a b/c#d?e%f.png"), "file:///a%20b/c%23d%3Fe%25f.png");
}

}  // namespace
}  // namespace tv
