// SPDX-License-Identifier: GPL-3.0-or-later
// Tabs whose page has no title, in the real program under Xvfb: the engine never says the
// title of its error page or of a blank page, and such a tab is still named.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "desktop/program_run.h"
#include "support/loopback_server.h"
#include "support/test_env.h"

namespace tv::test {
namespace {

TEST(TabLabelsDesktop, AnUntitledTabShowsItsAddressAndABlankOneSaysSo) {
  TempHome home;
  LoopbackServer server;
  server.Page("/a.htm", "<html><head><title>Page A</title></head><body>A</body></html>");
  std::string gone;
  {
    LoopbackServer stopped;  // nothing listens on its port once it has stopped
    gone = stopped.Url("/gone.htm");
  }
  home.Write("home/.local/share/tessaview/keep", "");
  home.Write("home/.config/tessaview/settings.ini",
             "[Tessaro2017/setup]\nHomepage=" + server.Url("/a.htm") + "\n");
  const std::vector<std::string> out = RunProgramScript(home.Write("script.scn", R"(click Command6
wait 2500
window FormExplore
print TextLab(0).Text
menu build
wait 1500
print TextLab(1).Text
window FormWeb
navigate )" + gone + R"(
wait 3000
window FormExplore
print TextLab(1).Text
print TextLab(1).ToolTipText
)"));
  const std::vector<std::string> want = {"TextLab(0).Text=Page A", "TextLab(1).Text=空白页",
                                         "TextLab(1).Text=" + gone,
                                         "TextLab(1).ToolTipText=" + gone};
  EXPECT_EQ(out, want);
}

}  // namespace
}  // namespace tv::test
