// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_util.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(LeadingNumber, ReadsAsTheSystemDoes) {
  EXPECT_EQ(RoundHalfEven(LeadingNumber("2.5")), 2);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("3.5")), 4);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("3abc")), 3);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("abc")), 0);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("")), 0);
  EXPECT_EQ(RoundHalfEven(LeadingNumber(" 1 2\t3\n")), 123);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("-4")), -4);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("1e2")), 100);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("7e")), 7);
  EXPECT_EQ(RoundHalfEven(LeadingNumber(".")), 0);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("1.2.3")), 1);
  // Far out of range stays in range instead of overflowing.
  EXPECT_EQ(RoundHalfEven(LeadingNumber("99999999999999999999")), 2147483647);
  EXPECT_EQ(RoundHalfEven(LeadingNumber("1e999")), 0);
}

TEST(StatusText, FileAddressesBecomeLocalPaths) {
  EXPECT_EQ(PathFromStatusText("file:///home/u/a%20b.jpg"), "/home/u/a b.jpg");
  EXPECT_EQ(PathFromStatusText("file://localhost/p/%E5%9B%BE.png"), "/p/\xE5\x9B\xBE.png");
  EXPECT_EQ(PathFromStatusText("file:///p/100%.jpg"), "/p/100%.jpg");  // a bare % stays
  EXPECT_EQ(PathFromStatusText("file:///p/x%4"), "/p/x%4");
  // Anything else keeps the old rule: from the 9th character on.
  EXPECT_EQ(PathFromStatusText("http://example.org/a.jpg"), "xample.org/a.jpg");
  EXPECT_EQ(PathFromStatusText("short"), "");
  EXPECT_EQ(PathFromStatusText(""), "");
}

TEST(HtmlEscape, EscapesTheFourCharacters) {
  EXPECT_EQ(HtmlEscape("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
  EXPECT_EQ(HtmlEscape("图片 1.jpg"), "图片 1.jpg");
}

TEST(TextLines, SplitAtLineFeedsWithTheirCarriageReturns) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(TextLines(""), Lines{});
  EXPECT_EQ(TextLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(TextLines("a\n\n"), (Lines{"a", ""}));  // nothing after the last line feed
  // A lone carriage return inside a line is part of it; one cut short at the end goes.
  EXPECT_EQ(TextLines("a\rb\r"), (Lines{"a\rb"}));
}

}  // namespace
}  // namespace tv
