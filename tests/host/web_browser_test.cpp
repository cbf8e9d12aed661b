// SPDX-License-Identifier: GPL-3.0-or-later
// The host's switches and the download-control value the view is given.
#include <gtest/gtest.h>

#include "host/html_view.h"
#include "host/web_browser.h"
#include "support/browser_rig.h"

namespace tv::test {
namespace {

TEST(WebBrowserFlags, TheViewFollowsItsHostAndAFreshHostStartsOver) {
  BrowserRig rig;
  FormWeb& page = *rig.tabs().CurrentPage();
  HtmlView& view = *page.Web->View();
  // Pages are made while Pop is 1: the page's own scripts are off.
  EXPECT_EQ(view.DownloadControl(), 0xF0u);
  EXPECT_TRUE(page.host_container->Visible());
  page.host->SetDL_Image(false);
  EXPECT_EQ(view.DownloadControl(), 0xE0u);
  rig.tabs().Pop = 0;
  page.ApplyPageSwitches();
  EXPECT_EQ(view.DownloadControl(), 0x70u);
  // A host that lets go no longer changes the view.
  page.host->pvReleaseWBControl();
  page.host->SetDL_Script(false);
  EXPECT_EQ(view.DownloadControl(), 0x70u);
}

}  // namespace
}  // namespace tv::test
