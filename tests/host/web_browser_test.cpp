// SPDX-License-Identifier: GPL-3.0-or-later
// The host's switches and the download-control value the view is given.
#include <gtest/gtest.h>

#include "host/html_view.h"
#include "host/web_browser.h"
#include "support/browser_rig.h"

namespace tv::test {
namespace {

TEST(WebBrowserFlags, EverySwitchTakesItsBit) {
  cWebBrowser host;
  EXPECT_EQ(host.DownloadCtrlEX(), 0x70);
  EXPECT_EQ(host.pvBuildFlags(), 0x70);
  host.SetDL_Image(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x60);
  host.SetDL_BgSound(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x20);
  host.SetDL_Video(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x00);
  host.SetDL_Script(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x80);
  host.SetDL_ActiveX(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x280);
  host.SetDL_JavaApplet(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x380);
  host.SetDl_DlActiveX(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x780);
  host.Dl_EnableAll(true);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x70);
  host.Dl_EnableAll(false);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x780);
}

TEST(WebBrowserFlags, BatchSetCountsMissingArgumentsAsFalse) {
  cWebBrowser host;
  host.Dl_BatchSet();
  EXPECT_EQ(host.DownloadCtrlEX(), 0x780);
  host.Dl_BatchSet(true, true);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x710);
  EXPECT_TRUE(host.DL_Image());
  EXPECT_FALSE(host.DL_Video());
  host.Dl_BatchSet(true, true, true, true, true, true, true);
  EXPECT_EQ(host.DownloadCtrlEX(), 0x70);
}

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

TEST(WebBrowserFlags, ResizeWebPlacesTheViewInItsContainer) {
  BrowserRig rig;
  FormWeb& page = *rig.tabs().CurrentPage();
  page.host->ResizeWeb(2, 3, 40, 50, false);
  EXPECT_EQ(page.Web->Left(), page.host_container->Left() + 30);
  EXPECT_EQ(page.Web->Top(), page.host_container->Top() + 45);
  EXPECT_EQ(page.Web->Width(), 600);
  EXPECT_EQ(page.Web->Height(), 750);
  page.host->ResizeWeb(0, 0, 0, 0, true);
  EXPECT_EQ(page.Web->Width(), page.host_container->Width());
}

}  // namespace
}  // namespace tv::test
