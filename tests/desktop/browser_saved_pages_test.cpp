// SPDX-License-Identifier: GPL-3.0-or-later
// The browser in the real program under Xvfb, on pages of a loopback server of the test's
// own: saved, downloaded and visited pages land where they should. The engine never says
// the title of its error page or of a blank page, and such a tab is still named. The
// engine's data and caches lie in folders of their own, and the pictures an earlier
// version saved into the data folder are in the download folder the user can find.
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "desktop/program_run.h"

namespace tv::test {
namespace {

constexpr const char* kHome =
    "<html><head><title>Home</title></head><body><h1>Home</h1></body></html>";
constexpr const char* kHostile =
    "<html><head><title>&lt;script&gt;x()&lt;/script&gt; &amp; \"q\"</title></head>"
    "<body><p>Hostile title</p></body></html>";
constexpr const char* kFile = "just the file's own bytes\n";

struct SavedPagesRun : ServedRun {
  SavedPagesRun() {
    server.Page("/home.htm", kHome);
    server.Page("/hostile.htm", kHostile);
    server.Page("/files/data.txt", kFile);
    Settings("/home.htm");
  }

  std::string ProgramFolder() const { return home.Root() + "/home/.local/share/tessaview/"; }
};

std::string Today(const char* extension) {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return std::to_string(tm.tm_year + 1900) + "-" + std::to_string(tm.tm_mon + 1) + "-" +
         std::to_string(tm.tm_mday) + extension;
}

// One run: a page saved from the frame and a file downloaded through the download dialog
// are on disk; an untitled tab shows its address and a blank one says so; a visited page
// with a hostile title reaches the history page with its title as text.
TEST(SavedPagesDesktop, SavedDownloadedUntitledAndVisitedPages) {
  SavedPagesRun run;
  const std::string target = run.home.Root() + "/saved page.mht";
  const std::string folder = run.home.Root() + "/saved here";
  const std::string address = run.server.Url("/files/data.txt");
  std::string gone;
  {
    LoopbackServer stopped;  // nothing listens on its port once it has stopped
    gone = stopped.Url("/gone.htm");
  }
  // No dialog is answered: the folder and the name typed into the dialog are the place.
  const Lines out = run.Run(R"(click Command6
wait 4000
window FormExplore
print TextLab(0).Text
answer )" + target + R"(
menu mnuFileSaveAs
wait 500
menu DownLoadFile
window FormDownload
clipboard )" + address + R"(
focus CombUrl
print Text2.Text
type Text1 )" + folder + R"(
type Text2 got it?.txt
click Command1
wait 2000
window FormExplore
menu build
wait 1500
print TextLab(1).Text
window FormWeb
navigate )" + gone + R"(
wait 3000
window FormExplore
print TextLab(1).Text
print TextLab(1).ToolTipText
window FormWeb
navigate )" + run.server.Url("/hostile.htm") +
                            R"(
wait 2500
window FormExplore
menu closeme
wait 500
menu History
wait 2500
window FormWeb
print Web.Title
print Web.Links
)");
  // The history page is read as HTML under its gb2312 label, and the page's title made
  // no element of it: the title shows as text and no script of it ran.
  const Lines want = {"TextLab(0).Text=Home",
                      "save: 保存网页: Home.mht",
                      "clipboard: text " + address,
                      "Text2.Text=data.txt",
                      "download: " + address + " to " + folder + "/got it？.txt",
                      "TextLab(1).Text=空白页",
                      "TextLab(1).Text=" + gone,
                      "TextLab(1).ToolTipText=" + gone,
                      "Web.Title=网站访问历史",
                      "Web.Links=1"};
  EXPECT_EQ(out, want);
  const std::string saved = ReadFile(target);
  EXPECT_NE(saved.find("Home"), std::string::npos) << saved.substr(0, 400);
  EXPECT_NE(saved.find("multipart/related"), std::string::npos) << saved.substr(0, 400);
  EXPECT_EQ(ReadFile(folder + "/got it？.txt"), kFile);
  const std::string rows = ReadFile(run.ProgramFolder() + "History/" + Today(".dat"));
  EXPECT_NE(rows.find(">&lt;script&gt;x()&lt;/script&gt; &amp; &quot;q&quot;</a>"),
            std::string::npos)
      << rows;
  EXPECT_NE(rows.find("<a href=" + run.server.Url("/hostile.htm") + " target=_blank>"),
            std::string::npos);
  const std::string page = ReadFile(run.ProgramFolder() + "History/" + Today(".html"));
  EXPECT_EQ(page.find("<script"), std::string::npos);
}

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
  EXPECT_TRUE(std::filesystem::is_directory(home.Root() + "/home/.cache/tessaview/website-cache"));
  for (const std::string& name : NamesIn(home.Root() + "/home/.cache/tessaview")) {
    EXPECT_TRUE(name == "website-cache" || name == "wide") << name << ": the engine's";
  }
  EXPECT_EQ(ReadFile(home.Root() + "/home/Downloads/Tessaview/20271231_23590.jpg"),
            "a saved picture");
}

}  // namespace
}  // namespace tv::test
