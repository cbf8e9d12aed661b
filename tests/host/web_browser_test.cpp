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
  // Each switch turned off in turn, then all on and all off.
  const std::pair<void (cWebBrowser::*)(bool), int> steps[] = {
      {&cWebBrowser::SetDL_Image, 0x60},     {&cWebBrowser::SetDL_BgSound, 0x20},
      {&cWebBrowser::SetDL_Video, 0x00},     {&cWebBrowser::SetDL_Script, 0x80},
      {&cWebBrowser::SetDL_ActiveX, 0x280},  {&cWebBrowser::SetDL_JavaApplet, 0x380},
      {&cWebBrowser::SetDl_DlActiveX, 0x780}};
  for (const auto& [set, want] : steps) {
    (host.*set)(false);
    EXPECT_EQ(host.DownloadCtrlEX(), want) << std::hex << want;
  }
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

}  // namespace
}  // namespace tv::test
