// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers read as the system reads them, status text, escapes, lines, and the one
// character rule of titles, captions, page text and favourites.
#include "text/text_util.h"

#include <gtest/gtest.h>

#include "text/utf8.h"

namespace tv {
namespace {

TEST(LeadingNumber, ReadsAsTheSystemDoes) {
  // Far out of range stays in range instead of overflowing.
  for (auto [text, want] : {std::pair<const char*, int>{"2.5", 2},
                            {"3.5", 4},
                            {"3abc", 3},
                            {" 1 2\t3\n", 123},
                            {"-4", -4},
                            {"1e2", 100},
                            {"7e", 7},
                            {"99999999999999999999", 2147483647},
                            {"1e999", 0}}) {
    EXPECT_EQ(RoundHalfEven(LeadingNumber(text)), want) << text;
  }
}

TEST(StatusText, FileAddressesBecomeLocalPaths) {
  EXPECT_EQ(PathFromStatusText("file:///home/u/a%20b.jpg"), "/home/u/a b.jpg");
  EXPECT_EQ(PathFromStatusText("file://localhost/p/%E5%9B%BE.png"), "/p/\xE5\x9B\xBE.png");
  EXPECT_EQ(PathFromStatusText("file:///p/100%.jpg"), "/p/100%.jpg");  // a bare % stays
  // Anything else keeps the old rule: from the 9th character on.
  EXPECT_EQ(PathFromStatusText("http://example.org/a.jpg"), "xample.org/a.jpg");
  EXPECT_EQ(PathFromStatusText("short"), "");
}

TEST(TextLines, SplitAtLineFeedsWithTheirCarriageReturns) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(TextLines(""), Lines{});
  EXPECT_EQ(TextLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(TextLines("a\n\n"), (Lines{"a", ""}));  // nothing after the last line feed
  // A lone carriage return inside a line is part of it; one cut short at the end goes.
  EXPECT_EQ(TextLines("a\rb\r"), (Lines{"a\rb"}));
}

TEST(CharText, CutsCountCharactersAndNeverSplitAWellFormedSequence) {
  EXPECT_EQ(CharCount("枫叶abc"), 5u);
  EXPECT_EQ(CharLeft("枫叶abc", 3), "枫叶a");
  EXPECT_EQ(CharLeft("ab", 40), "ab");
  // Bytes that are no UTF-8 count one each and are kept as they are.
  const std::string broken =
      "a\xE6\x9E"
      "b\xFF";
  EXPECT_EQ(CharCount(broken), 5u);
  EXPECT_EQ(CharLeft(broken, 2), "a\xE6");
  EXPECT_EQ(CharLeft("\xE6\x9E", 1), "\xE6");
  // A sequence is well formed or none.
  EXPECT_EQ(Utf8SequenceLength("\xE6\x9E\xAB", 0), 3u);
  EXPECT_EQ(Utf8SequenceLength("\xC0\x80", 0), 0u);          // overlong
  EXPECT_EQ(Utf8SequenceLength("\xED\xA0\x80", 0), 0u);      // a surrogate
  EXPECT_EQ(Utf8SequenceLength("\xF4\x90\x80\x80", 0), 0u);  // past U+10FFFF
  EXPECT_EQ(Utf8SequenceLength("\xE6\x9E", 0), 0u);          // cut short at the end
  std::string out;
  for (unsigned long code : {0x41ul, 0x67Ful, 0x6953ul, 0x1F600ul, 0xD800ul, 0x110000ul, 0ul}) {
    AppendUtf8(out, code);
  }
  EXPECT_EQ(out, "A\xD9\xBF\xE6\xA5\x93\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tv
