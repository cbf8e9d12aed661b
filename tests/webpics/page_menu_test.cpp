// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse in a page: which clicks open a link behind the current tab, which addresses
// a tab may open, and what the right-click menu offers for what it hit.
#include "webpics/page_menu.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_view.h"
#include "program/browser_state.h"
#include "support/browser_rig.h"

namespace tv::test {
namespace {

TEST(PageMenu, TheMenuFitsWhatWasHitAndGreysWhatCannotAct) {
  const std::string web = "http://127.0.0.1/a.htm", local = "file:///home/a/p.htm";
  PageMenu m = DecidePageMenu({}, web);
  EXPECT_TRUE(m.navigation);
  EXPECT_FALSE(m.link || m.picture || m.selection);

  // A picture inside a link: both groups, and no page items.
  m = DecidePageMenu({"http://127.0.0.1/big.jpg", "http://127.0.0.1/t.jpg", false}, web);
  EXPECT_TRUE(m.link && m.open_link && m.picture && m.open_picture && m.keep_picture);
  EXPECT_FALSE(m.navigation || m.selection);

  // Script and inline addresses are shown and copied as they are, never opened.
  m = DecidePageMenu({"javascript:alert('<script>&\"')", "data:image/png;base64,AA==", true}, web);
  EXPECT_TRUE(m.link && m.picture && m.selection);
  EXPECT_FALSE(m.open_link || m.open_picture);
  EXPECT_TRUE(m.keep_picture);  // the page's own inline picture can be saved and shown
  m = DecidePageMenu({"", "javascript:x", false}, web);
  EXPECT_FALSE(m.open_picture || m.keep_picture);

  // A web page cannot open the user's files; a local page can open its neighbours.
  EXPECT_FALSE(OpensInTab("file:///etc/passwd", web));
  EXPECT_FALSE(OpensInTab("FILE:///etc/passwd", web));
  EXPECT_TRUE(OpensInTab("file:///home/a/b%23c%3F.htm", local));
  EXPECT_TRUE(OpensInTab("https://a.b/?q=<script>&x=\"1\"", local));
  for (const char* refused :
       {"", "about:blank", "data:text/html,<script>", "mailto:a@b", "http://"}) {
    EXPECT_FALSE(OpensInTab(refused, web)) << refused;
  }
  EXPECT_TRUE(OpensBehind(1, 3));
  EXPECT_FALSE(OpensBehind(1, 1));  // Shift
  EXPECT_FALSE(OpensBehind(2, 2));  // the right button
}

TEST(PageMenu, APageOpensAHundredWindowsUnaskedAndTheUsersClicksStillOpenTabs) {
  BrowserRig rig;
  BrowserState& b = rig.tabs();
  FormWeb& page = *b.CurrentPage();
  auto* view = static_cast<HeadlessView*>(page.Web->View());
  view->Navigate("http://127.0.0.1/a.htm");
  auto open = [](HtmlView& from) {
    HtmlView* target = nullptr;
    bool cancel = false;
    from.events.NewWindow2(target, cancel);
    return cancel ? nullptr : target;
  };
  auto click = [&](const std::string& address, int button, int shift) {
    bool handled = false;
    view->events.LinkClick(address, button, shift, handled);
    return handled;
  };
  view->new_window_by_user = false;
  HtmlView* first = open(*view);
  ASSERT_NE(first, nullptr);
  // What that window opens unasked counts with its opener.
  static_cast<HeadlessView*>(first)->new_window_by_user = false;
  for (int i = 0; i < 49; ++i) ASSERT_NE(open(*first), nullptr);
  for (int i = 0; i < 50; ++i) ASSERT_NE(open(*view), nullptr);
  EXPECT_EQ(b.TabCount, kUnaskedWindowLimit + 1);
  EXPECT_EQ(open(*view), nullptr);
  EXPECT_EQ(open(*first), nullptr);
  EXPECT_EQ(b.TabCount, kUnaskedWindowLimit + 1);
  EXPECT_NE(page.status[0].Caption().find("100"), std::string::npos);

  // What the user clicks still opens, behind the current tab.
  rig.frame->TabLabelMouseUp(0, MouseArgs{1, 0, 0, 0});
  const int tabs = b.TabCount;
  EXPECT_FALSE(click("http://127.0.0.1/b.htm", 1, 0));  // a plain click is the page's
  EXPECT_TRUE(click("http://127.0.0.1/b%23?.htm", 4, 0));
  ASSERT_EQ(b.TabCount, tabs + 1);
  EXPECT_EQ(b.CurrentPage(), &page);  // the current tab stays in front
  EXPECT_EQ(rig.frame->ActiveChild(), &page);
  EXPECT_EQ(rig.app.State().active_view, view);
  FormWeb* behind = b.Webs[b.TabOrder[b.CurTab + 1]];
  ASSERT_NE(behind, nullptr);
  EXPECT_EQ(behind->Web->View()->LocationURL(), "http://127.0.0.1/b%23?.htm");
  EXPECT_TRUE(click("http://127.0.0.1/c.htm", 1, 2));
  EXPECT_EQ(b.TabCount, tabs + 2);
  // Taken, and nothing opens: a script, an inline page, a file of the user.
  for (const char* refused :
       {"javascript:alert(1)", "data:text/html,<script>x</script>", "file:///etc/passwd"}) {
    EXPECT_TRUE(click(refused, 4, 0)) << refused;
  }
  EXPECT_EQ(b.TabCount, tabs + 2);

  // The right-click menu of a link: its items, and nothing of a picture or the page.
  view->RestPointerOn("http://127.0.0.1/d.htm?a=<b>&c=\"");
  page.ShowPageMenu();
  EXPECT_NE(rig.output.str().find("popup: WebMenu"), std::string::npos) << rig.output.str();
  EXPECT_TRUE(page.FindControl("WebOpenLink")->Visible());
  EXPECT_FALSE(page.FindControl("WebSavePicture")->Visible());
  EXPECT_FALSE(page.FindControl("WebBack")->Visible());
  page.FindControl("WebCopyLink")->FireClick();
  EXPECT_EQ(rig.platform.clipboard.GetText(), "http://127.0.0.1/d.htm?a=<b>&c=\"");
  page.FindControl("WebOpenLink")->FireClick();
  EXPECT_EQ(b.TabCount, tabs + 3);
  EXPECT_EQ(b.CurrentPage(), &page);
  view->new_window_by_user = true;  // a click on a link to a new window
  EXPECT_NE(open(*view), nullptr);
}

}  // namespace
}  // namespace tv::test
