// SPDX-License-Identifier: GPL-3.0-or-later
// The history rows of a page window as the engine reports them: a page can ask for the
// next one before its own title is reported, and that title still belongs to it.
#include <gtest/gtest.h>

#include "host/html_view.h"
#include "support/browser_rig.h"

namespace tv {
namespace {

TEST(PageHistory, APageLeftAtOnceKeepsItsOwnTitleAndTheNextPageItsOwn) {
  test::BrowserRig rig;
  const std::string a = rig.home.Write("web/a.htm", "<html><head><title>A</title></head></html>");
  const std::string b = rig.home.Write("web/b.htm", "<html><head><title>B</title></head></html>");
  FormWeb& web = *rig.tabs().CurrentPage();
  HtmlView& view = *web.Web->View();
  // A goes on to B the moment it is shown, as a refresh of 0 seconds or a script does.
  auto shown = view.events.NavigateComplete2;
  bool left = false;
  view.events.NavigateComplete2 = [&](const std::string& url) {
    if (shown) shown(url);
    if (url.find("a.htm") == std::string::npos || left) return;
    left = true;
    view.Navigate(b);
    EXPECT_NE(view.LocationURL(), view.DocumentURL());
  };
  view.Navigate(a);
  rig.platform.loop.DoEvents();
  ASSERT_TRUE(left);
  const std::string rows = *web.StateField("history buffer");
  const std::string a_url = "file://" + a, b_url = "file://" + b;
  // Newest first: B with its own address, then A with its own.
  const size_t row_b = rows.find("href=" + b_url + " target=_blank>B<");
  const size_t row_a = rows.find("href=" + a_url + " target=_blank>A<");
  ASSERT_NE(row_b, std::string::npos) << rows;
  ASSERT_NE(row_a, std::string::npos) << rows;
  EXPECT_LT(row_b, row_a);
  EXPECT_EQ(rows.find("href=" + b_url + " target=_blank>A<"), std::string::npos) << rows;
  EXPECT_EQ(view.LocationURL(), b_url);
  EXPECT_EQ(view.DocumentURL(), b_url);
}

}  // namespace
}  // namespace tv
