// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions of the history page's text to and from GB18030.
#include <gtest/gtest.h>

#include "platform/posix/iconv_text_encoding.h"

namespace tv::test {
namespace {

TEST(IconvTextEncoding, Gb18030HoldsEveryCharacterAndMarksWhatIsNone) {
  IconvTextEncoding e;
  const std::string text = "网站访问历史 <tr> &amp; 😀 é\r\n";
  const std::string gb = e.FromUtf8(text, "GB18030");
  EXPECT_EQ(gb.substr(0, 2), "\xCD\xF8");  // 网 in GB2312
  EXPECT_EQ(e.ToUtf8(gb, "GB18030"), text);
  EXPECT_EQ(e.FromUtf8("", "GB18030"), "");
  // A broken sequence and a stray byte between good text.
  EXPECT_EQ(e.FromUtf8("a\xE6\x9E"
                       "b\xFFz\r\n",
                       "GB18030"),
            "a?b?z\r\n");
  // Long texts pass the converter's buffer boundary whole.
  const std::string longer(10000, 'x');
  EXPECT_EQ(e.FromUtf8(longer + "网", "GB18030"), longer + "\xCD\xF8");
  // A zero byte is a character; a stray continuation byte is one mark; a character the
  // set cannot hold is one mark.
  EXPECT_EQ(e.FromUtf8(std::string("a\0b\x9E\x9E"
                                   "c",
                                   6),
                       "GB18030"),
            std::string("a\0b?c", 5));
  EXPECT_EQ(e.FromUtf8("x网y", "ISO-8859-1"), "x?y");
  EXPECT_EQ(e.ToUtf8("\xCD\xF8\xFF", "GB18030"), "网?");
  // An unknown character set leaves the text as it is.
  EXPECT_EQ(e.FromUtf8("abc", "NO-SUCH-SET"), "abc");
}

}  // namespace
}  // namespace tv::test
