// SPDX-License-Identifier: GPL-3.0-or-later
// The one character rule of titles, captions, page text and favourites.
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(CharText, CutsCountCharactersAndNeverSplitASequence) {
  EXPECT_EQ(CharCount("枫叶abc"), 5u);
  EXPECT_EQ(CharLeft("枫叶abc", 1), "枫");
  EXPECT_EQ(CharLeft("枫叶abc", 3), "枫叶a");
  EXPECT_EQ(CharLeft("ab", 40), "ab");
  // Bytes that are no UTF-8 count one each and are kept as they are.
  const std::string broken =
      "a\xE6\x9E"
      "b\xFF";
  EXPECT_EQ(CharCount(broken), 5u);
  EXPECT_EQ(CharLeft(broken, 2), "a\xE6");
  EXPECT_EQ(CharLeft("\xE6\x9E", 1), "\xE6");
}

TEST(CharText, SequencesAreWellFormedOrNone) {
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
