// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/element_json.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(ElementRows, ReadsTheScanRows) {
  auto rows = ParseElementRows(R"([["IMG","file:///p/a%20b.png","","",300,200.7],)"
                               R"(["A","","file:///p/\u56fe.png","_blank",0,0]])");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].tag_name, "IMG");
  EXPECT_EQ(rows[0].src, "file:///p/a%20b.png");
  EXPECT_EQ(rows[0].width, 300);
  EXPECT_EQ(rows[0].height, 200);
  EXPECT_EQ(rows[1].href, "file:///p/\xE5\x9B\xBE.png");
  EXPECT_EQ(rows[1].target, "_blank");
}

TEST(ElementRows, DamagedScansGiveWhatIsWhole) {
  EXPECT_TRUE(ParseElementRows("").empty());
  EXPECT_TRUE(ParseElementRows("not json").empty());
  EXPECT_TRUE(ParseElementRows("{\"a\":1}").empty());
  EXPECT_TRUE(ParseElementRows("[[\"IMG\",").empty());
  auto rows = ParseElementRows(R"([["IMG",null,7,"x",1e300,-5],"junk",["A"]])");
  ASSERT_EQ(rows.size(), 1u);  // up to the first row that is no row
  EXPECT_EQ(rows[0].src, "");  // wrong types read as empty or 0
  EXPECT_EQ(rows[0].href, "");
  EXPECT_EQ(rows[0].width, 2147483647);
  EXPECT_EQ(rows[0].height, -5);
  EXPECT_EQ(ParseElementRows(R"([["DIV"]])")[0].width, 0);  // short rows
}

TEST(ElementRows, ReadsWhatLiesUnderThePointer) {
  PointerTarget t = ParsePointerTarget(
      R"j(["javascript:alert(\"<script>&\")","data:image/png;base64,AA==",true])j");
  EXPECT_EQ(t.link, "javascript:alert(\"<script>&\")");  // as it is, to be copied
  EXPECT_EQ(t.picture, "data:image/png;base64,AA==");
  EXPECT_TRUE(t.selected);
  for (const char* damaged : {"", "[", "{}", "[1,2,\"yes\"]", "[null]"}) {
    t = ParsePointerTarget(damaged);
    EXPECT_TRUE(t.link.empty() && t.picture.empty() && !t.selected) << damaged;
  }
}

}  // namespace
}  // namespace tv
