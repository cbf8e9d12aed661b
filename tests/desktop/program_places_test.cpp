// SPDX-License-Identifier: GPL-3.0-or-later
// Where the real program keeps things on the desktop, after a browser run on a page of a
// loopback server that stores site data: the engine's data and caches lie in folders of
// their own, nothing of the engine beside the history, and the pictures an earlier
// version saved into the data folder are in the download folder the user can find.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/program_run.h"
#include "support/loopback_server.h"
#include "support/test_env.h"

namespace tv::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStoringPage =
    "<html><head><title>Stores</title></head><body><p>stores</p><script>"
    "localStorage.setItem('k', 'v'); indexedDB.open('db', 1);</script></body></html>";

TEST(ProgramPlacesDesktop, TheEngineKeepsItsDataApartAndOldPicturesMoveToDownloads) {
  TempHome home;
  LoopbackServer server;
  server.Page("/stores.htm", kStoringPage);
  const std::string data = home.Root() + "/home/.local/share/tessaview/";
  home.Write("home/.local/share/tessaview/Download/20271231_23590.jpg", "a saved picture");
  home.Write("home/.config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n");
  home.Write("home/.config/tessaview/settings.ini",
             "[Tessaro2017/setup]\nHomepage=" + server.Url("/stores.htm") + "\n");

  RunProgramScript(home.Write("script.scn", R"(click Command6
wait 4000
window FormExplore
menu mnuFileExit
)"));
  ASSERT_FALSE(server.Requests().empty()) << "the page was shown";
  EXPECT_EQ(NamesIn(data), (std::vector<std::string>{"History", "website-data"}));
  EXPECT_TRUE(fs::is_directory(home.Root() + "/home/.cache/tessaview/website-cache"));
  for (const std::string& name : NamesIn(home.Root() + "/home/.cache/tessaview")) {
    EXPECT_TRUE(name == "website-cache" || name == "wide") << name << ": the engine's";
  }
  EXPECT_EQ(ReadFile(home.Root() + "/home/Downloads/Tessaview/20271231_23590.jpg"),
            "a saved picture");
}

}  // namespace
}  // namespace tv::test
