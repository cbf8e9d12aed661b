// SPDX-License-Identifier: GPL-3.0-or-later
// When a view has finished the load it was last asked for, given the order in which the
// engine really reports loads (seen under WebKitGTK: a queued blank page finishing after
// the next request, superseded loads ending as cancelled or silently).
#include "platform/gtk/pending_load.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tv
