// SPDX-License-Identifier: GPL-3.0-or-later
// The browser in the real program under Xvfb, on pages of a loopback server of the
// test's own: new windows become tabs (where they go with Topme set is the headless
// scenario's), titles reach the tabs and the caption, blocked pages run none of their own
// scripts while the program's scripts still run, and back and forward follow the current
// tab.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/program_run.h"

namespace tv::test {
namespace {

constexpr const char* kPageA =
    "<html><head><title>Static A</title></head><body><h1>Page A</h1>"
    "<p><a href=\"/b.htm\" target=\"_blank\">B in a new tab</a></p>"
    "<p><a href=\"#\" onclick=\"window.open('/c.htm');return false\">C by window.open</a></p>"
    "<script>document.title='Scripted A';</script></body></html>";
constexpr const char* kPageB = "<html><head><title>Page B</title></head><body>B</body></html>";
constexpr const char* kPageC = "<html><head><title>Page C</title></head><body>C</body></html>";

struct BrowserRun : ServedRun {
  BrowserRun() {
    server.Page("/a.htm", kPageA);
    server.Page("/b.htm", kPageB);
    server.Page("/c.htm", kPageC);
  }
};

// Back and forward follow the current tab; then, from the first tab, new windows open as
// tabs after it and in front, while the page's own scripts stay blocked.
TEST(BrowserDesktop, BackAndForwardFollowTheTabAndNewWindowsOpenAsTabs) {
  BrowserRun run;
  run.Settings("/a.htm");
  const Lines out = run.Run(R"(click Command6
wait 2500
window FormExplore
print CmdPage(0).Enabled
window FormWeb
navigate )" + run.server.Url("/c.htm") +
                            R"(
wait 2000
window FormExplore
print CmdPage(0).Enabled
menu build
wait 1500
print CmdPage(0).Enabled
mouseup TextLab(0) 1
wait 300
print CmdPage(0).Enabled
print CmdPage(1).Enabled
click CmdPage(0)
wait 2000
print CmdPage(0).Enabled
print CmdPage(1).Enabled
print TextUrl.Text
print TextLab(0).Text
window FormWeb
print Web.Title
print Web.Links
follow 1
wait 2500
window FormExplore
print TabOrder
print CurTab
print front
print TextLab(2).Text
print Caption
mouseup TextLab(0) 1
wait 300
print Caption
menu EnablePlayFilmMusic
wait 2500
window FormWeb
print Web.Title
follow 2
wait 2500
window FormExplore
print TabOrder
print CurTab
print TextLab(3).Text
print Pop
window FormWeb
print download control
)");
  const Lines want = {"CmdPage(0).Enabled=False",
                      "CmdPage(0).Enabled=True",
                      "CmdPage(0).Enabled=False",
                      "CmdPage(0).Enabled=True",
                      "CmdPage(1).Enabled=False",
                      "CmdPage(0).Enabled=False",
                      "CmdPage(1).Enabled=True",
                      "TextUrl.Text=" + run.server.Url("/a.htm"),
                      "TextLab(0).Text=Static A",
                      "Web.Title=Static A",
                      "Web.Links=2",
                      "TabOrder=0,2,1",
                      "CurTab=1",
                      "front=2",  // B's own window, in slot 2
                      "TextLab(2).Text=Page B",
                      "Caption=Page B - Lumbra看图浏览器",
                      "Caption=Static A - Lumbra看图浏览器",
                      "Web.Title=Scripted A",
                      "TabOrder=0,3,2,1",
                      "CurTab=1",
                      "TextLab(3).Text=Page C",
                      "Pop=1",
                      "download control=0xF0"};
  EXPECT_EQ(out, want);
  EXPECT_GE(run.server.Count("/b.htm"), 1);
  EXPECT_GE(run.server.Count("/c.htm"), 1);
}

}  // namespace
}  // namespace tv::test
