// SPDX-License-Identifier: GPL-3.0-or-later
// Real clicks in the browser frame's pages: the middle and Ctrl click and the right-click
// menu on a loopback page; and on its top panel after full screen was switched on and off.
#include "desktop/desktop_browser.h"
#include "host/form_image.h"
#include "support/loopback_server.h"
#include "support/web_fixtures.h"
#include "webpics/form_web.h"

namespace tv {
namespace {

using test::MovePointer;
using test::PressAndRelease;

using FrameInputTest = test::DesktopBrowserTest;

TEST_F(FrameInputTest, MiddleClicksOpenBehindTheMenuActsOnWhatItHitAndThePanelTakesClicks) {
  test::LoopbackServer server;
  server.Page("/menu.htm",
              "<html><head><title>Menu</title></head><body style=\"margin:0\">"
              "<a id=\"l\" href=\"/b.htm?a=&quot;&lt;script&gt;\" "
              "style=\"display:block;width:300px\">link B</a>"
              "<a id=\"c\" href=\"/c.htm\" style=\"display:block;width:300px\">link C</a>"
              "<img id=\"p\" src=\"/big.jpg\" style=\"width:200px;height:125px\">"
              "<p><span id=\"t\">words to copy</span></p><div id=\"e\" style=\"height:60px\"></div>"
              "</body></html>");
  server.Page("/b.htm?a=%22%3Cscript%3E", "<title>B</title>");
  server.Page("/c.htm", "<title>C</title>");
  server.Page("/big.jpg", test::Jpeg(800, 500, 9));
  const std::string link = server.Url("/b.htm?a=%22%3Cscript%3E");
  const std::string picture = server.Url("/big.jpg");
  FormWeb* page = nullptr;
  HtmlView* view = nullptr;
  std::string link_menu, picture_menu, text_menu, page_menu;
  // The centre of the page's element `id` on the screen.
  auto at = [&](const char* id) {
    return OnScreen(ElementCentre(*view, std::string("document.getElementById('") + id + "')"),
                    *view);
  };
  // A right-click on `id`; the main loop shows the menu once the step has returned.
  auto right_click = [&](const char* id) {
    MovePointer(at(id));
    Pause(200);
    PressAndRelease(3);
    Pause(200);  // captured within the step, taken when it returns
  };
  // The labels of the menu once it shows.
  auto menu_labels = [&](std::string& labels) {
    EXPECT_TRUE(WaitUntil([] { return test::ShownMenu() != nullptr; }, 3000));
    labels = test::MenuLabels(test::ShownMenu());
  };
  auto saved = [&] { return test::JpegSizesIn(App().Services().paths.DownloadFolder()); };
  Run({[&] { OpenBrowser(); },
       [&] {
         ASSERT_TRUE(FirstTab());
         page = Browser().CurrentPage();
         view = page->Web->View();
         view->Navigate(server.Url("/menu.htm"));
         ASSERT_TRUE(WaitUntil([&] { return !view->Busy() && view->Title() == "Menu"; }));
         Pause(300);
         MovePointer(at("l"));
         Pause(200);
         PressAndRelease(2);
         ASSERT_TRUE(WaitUntil([&] { return Browser().TabCount == 2; }, 3000));
         MovePointer(at("c"));
         Pause(200);
         test::CtrlClick();
         ASSERT_TRUE(WaitUntil([&] { return Browser().TabCount == 3; }, 3000));
         EXPECT_TRUE(WaitUntil([&] { return server.Count("/c.htm") == 1; }));
         // Both behind the current tab, in the order they were opened, right of it.
         EXPECT_EQ(Browser().CurrentPage(), page);
         EXPECT_EQ(Frame().ActiveChild(), page);
         EXPECT_EQ(view->LocationURL(), server.Url("/menu.htm"));
         FormWeb* b = Browser().Webs[Browser().TabOrder[2]];
         FormWeb* c = Browser().Webs[Browser().TabOrder[1]];
         ASSERT_TRUE(b && c);
         EXPECT_EQ(b->Web->View()->LocationURL(), link);
         EXPECT_EQ(c->Web->View()->LocationURL(), server.Url("/c.htm"));
         EXPECT_EQ(server.Count("/b.htm?a=%22%3Cscript%3E"), 1);
         right_click("l");
       },
       [&] {
         menu_labels(link_menu);
         EXPECT_TRUE(test::ClickMenuItem("复制链接地址"));
       },
       [&] {
         Pause(300);
         EXPECT_EQ(App().Services().clipboard.GetText(), link);
         right_click("p");
       },
       [&] {
         menu_labels(picture_menu);
         EXPECT_TRUE(test::ClickMenuItem("保存图片"));
       },
       [&] {
         EXPECT_TRUE(WaitUntil([&] { return !saved().empty(); }, 5000));
         // Shown at 200 x 125, saved at its own size.
         EXPECT_EQ(saved(), (std::vector<std::pair<int, int>>{{800, 500}}));
         EXPECT_EQ(server.Count("/big.jpg"), 1);  // from the bytes the page holds
         right_click("p");
       },
       [&] {
         EXPECT_TRUE(WaitUntil([] { return test::ShownMenu() != nullptr; }, 3000));
         EXPECT_TRUE(test::ClickMenuItem("在图片窗口中查看"));
       },
       [&] {
         auto* detail = dynamic_cast<FormImage*>(App().FindWindow("FormImage"));
         ASSERT_NE(detail, nullptr);
         EXPECT_EQ(detail->picture, picture);
         EXPECT_TRUE(WaitUntil([&] { return !detail->page_view->View()->Busy(); }));
         App().Unload(*detail);
         RunScript(WEBKIT_WEB_VIEW(WebViewWidget(view)),
                   "getSelection().selectAllChildren(document.getElementById('t'))");
         right_click("t");
       },
       [&] {
         menu_labels(text_menu);
         EXPECT_TRUE(test::ClickMenuItem("复制"));
       },
       [&] {
         Pause(300);
         EXPECT_EQ(App().Services().clipboard.GetText(), "words to copy");
         right_click("e");
       },
       [&] {
         menu_labels(page_menu);
         if (GtkMenu* menu = test::ShownMenu()) gtk_menu_popdown(menu);
         // The top panel takes real clicks after full screen was switched on and off: 首页
         // opens a tab in front, the first tab's label and the address box take theirs.
         Frame().FindControl("ShowMe")->FireClick();
         Pause(300);
         Frame().FindControl("ShowMe")->FireClick();
         Pause(300);
         Click(Frame(), *Frame().FindControl("Command5"));
       },
       [&] {
         EXPECT_TRUE(WaitUntil([&] { return Browser().TabCount == 4; }, 3000))
             << "the click on 首页 was lost";
         Pause(300);
         Click(Frame(), *Frame().FindControl("TextLab(0)"));
       },
       [&] {
         EXPECT_TRUE(WaitUntil([&] { return Browser().CurTab == 0; }, 3000))
             << "the click on the first tab was lost";
         Click(Frame(), *Frame().address_box);
       },
       [&] {
         EXPECT_TRUE(WaitUntil(
             [&] {
               GtkWidget* focus = gtk_window_get_focus(ToplevelOf(&Frame()));
               return focus && GTK_IS_ENTRY(focus);
             },
             3000))
             << "the click on the address box was lost";
         Frame().FindControl("mnuFileExit")->FireClick();
         CloseBox();
       }});
  EXPECT_EQ(link_menu, "在新标签页中打开链接\n复制链接地址\n");
  EXPECT_EQ(picture_menu, "在新标签页中打开图片\n复制图片地址\n保存图片\n在图片窗口中查看\n");
  EXPECT_EQ(text_menu, "复制\n");
  EXPECT_NE(page_menu.find("刷新"), std::string::npos) << page_menu;
  EXPECT_EQ(page_menu.find("链接"), std::string::npos) << page_menu;
}

}  // namespace
}  // namespace tv
