// SPDX-License-Identifier: GPL-3.0-or-later
// When a view has finished the load it was last asked for, given the order in which the
// engine really reports loads (seen under WebKitGTK: a queued blank page finishing after
// the next request, superseded loads ending as cancelled or silently); what the view loads for the
// addresses the address box lets through.
#include "platform/gtk/pending_load.h"

#include <gtest/gtest.h>

#include "platform/gtk/element_json.h"
#include "platform/gtk/view_address.h"

namespace tv {
namespace {

const std::string kPage = "file:///run/tessaview/Tpc.htm";

TEST(PendingLoadTest, AnEarlierQueuedLoadOfAnotherAddressDoesNotEndTheRequest) {
  PendingLoad load;
  load.Requested("about:blank", 0);
  load.Requested(kPage, 1);
  load.Started();
  load.Finished("about:blank");
  EXPECT_TRUE(load.Pending(20));  // the page itself has not started yet
  load.Started();
  load.Finished(kPage);
  EXPECT_FALSE(load.Pending(30));
}

TEST(PendingLoadTest, LoadsThatStartedBeforeTheRequestOrWereSupersededDoNotEndIt) {
  PendingLoad load;
  load.Requested(kPage, 0);
  load.Started();
  load.Requested(kPage, 5);  // the same page, rewritten
  load.Finished(kPage);      // the first load, started before the request
  EXPECT_TRUE(load.Pending(6));

  load.Started();
  load.Failed(true);  // overtaken by yet another request
  load.Finished(kPage);
  EXPECT_TRUE(load.Pending(7));
  load.Started();
  load.Finished(kPage);
  EXPECT_FALSE(load.Pending(8));
}

TEST(PendingLoadTest, FailuresRefusalsAndRedirectsEndTheRequest) {
  PendingLoad failed;
  failed.Requested("file:///missing.htm", 0);
  failed.Started();
  failed.Failed(false);
  failed.Finished("about:blank");  // the view kept its old address
  EXPECT_FALSE(failed.Pending(1));

  PendingLoad web;  // a web address may end elsewhere
  web.Requested("", 0);
  web.Started();
  web.Finished("https://example.org/");
  EXPECT_FALSE(web.Pending(1));

  PendingLoad refused;
  refused.Requested(kPage, 0);
  refused.Dropped();
  EXPECT_FALSE(refused.Pending(1));
}

TEST(PendingLoadTest, ARequestThatNeverLoadsStopsCountingAfterTheLimit) {
  PendingLoad jump;
  jump.Requested(kPage + "#top", 1000);
  EXPECT_TRUE(jump.Pending(5999));
  EXPECT_FALSE(jump.Pending(6000));
  EXPECT_FALSE(PendingLoad().Pending(0));
}

TEST(ViewAddress, HostsWithoutASchemeGetHttpAndAddressesWithOneStayAsTheyAre) {
  EXPECT_EQ(WebAddress("localhost"), "http://localhost");
  EXPECT_EQ(WebAddress("localhost:8080/x.htm"), "http://localhost:8080/x.htm");
  EXPECT_EQ(WebAddress("127.0.0.1:8080/"), "http://127.0.0.1:8080/");
  EXPECT_EQ(WebAddress("[::1]:8080/x"), "http://[::1]:8080/x");
  EXPECT_EQ(WebAddress("cats.jpg"), "http://cats.jpg");
  for (const char* kept : {"http://localhost:8080/", "HTTPS://wiki/", "http:intranet",
                           "file:///tmp/a.htm", "mailto:me@host"}) {
    EXPECT_EQ(WebAddress(kept), kept);
  }
}

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
