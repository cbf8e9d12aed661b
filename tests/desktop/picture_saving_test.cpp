// SPDX-License-Identifier: GPL-3.0-or-later
// Picture saving in the real program against hostile pages of a loopback server of the
// test's own, with automatic download on: a page of pictures that cannot be had which
// reloads itself at once, a page reloading itself without end, a page visited twice, a
// page of broken and cut-short pictures, and the script switch followed by a navigation.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "desktop/program_run.h"
#include "platform/jpeg.h"
#include "support/loopback_server.h"
#include "support/png_head.h"
#include "support/test_env.h"

namespace tv::test {
namespace {

using Lines = std::vector<std::string>;

std::string Jpeg(int width, int height, uint8_t shade) {
  const std::string path = std::filesystem::temp_directory_path() / "tv-saving-picture.jpg";
  SaveJpegFile(path, width, height, 80, [width, shade](int first, int rows, uint8_t* rgb) {
    for (int i = 0; i < rows * width; ++i, rgb += 3) {
      rgb[0] = shade, rgb[1] = static_cast<uint8_t>(i % width),
      rgb[2] = static_cast<uint8_t>(first);
    }
    return true;
  });
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  return bytes;
}

// Pictures that cannot be had: missing (404) and of a format nothing decodes.
std::string BrokenPictures() {
  std::string html;
  for (int i = 0; i < 5; ++i) {
    html += "<img src=\"/gone" + std::to_string(i) + ".jpg\" width=600 height=700>";
    html += "<img src=\"/odd" + std::to_string(i) + ".png\" width=600 height=700>";
  }
  return html;
}

struct SavingRun {
  SavingRun() {
    server.Page("/p1.jpg", Jpeg(800, 600, 40));
    server.Page("/p2.jpg", Jpeg(640, 700, 120));
    for (int i = 0; i < 5; ++i) {
      server.Page("/odd" + std::to_string(i) + ".png", "\x89PNG\r\n\x1a\n" + std::string(900, 'x'));
    }
    home.Write("home/.local/share/tessaview/keep", "");
  }

  void Start(const std::string& page) {
    home.Write("home/.config/tessaview/settings.ini",
               "[Tessaro2017/setup]\nDownload=1\nPop=1\nHomepage=" + server.Url(page) + "\n");
  }

  Lines Run(const std::string& script) {
    return RunProgramScript(home.Write("script.scn", script));
  }

  std::string Downloads() const { return home.Root() + "/home/Tessaview"; }

  // The files of the download folder other than the record of what it holds.
  std::vector<std::string> Saved() const {
    std::vector<std::string> names;
    if (!std::filesystem::is_directory(Downloads())) return names;
    for (const auto& f : std::filesystem::directory_iterator(Downloads())) {
      const std::string name = f.path().filename();
      if (name != ".tessaview-saved") names.push_back(name);
    }
    return names;
  }

  TempHome home;
  LoopbackServer server;
};

TEST(WebPictureSavingDesktop, APageOfMissingPicturesReloadingAtOnceSavesNothingAndLives) {
  SavingRun run;
  run.server.Page("/crash.htm",
                  "<html><head><meta http-equiv=refresh content=0><title>Crash</title></head>"
                  "<body>" +
                      BrokenPictures() + "</body></html>");
  run.Start("/crash.htm");
  const Lines out = run.Run("click Command6\nwait 5000\nwindow FormWeb\nprint saved count\n");
  EXPECT_EQ(out, Lines{"saved count=0"});
  EXPECT_EQ(run.Saved(), std::vector<std::string>{});
}

TEST(WebPictureSavingDesktop, ReloadsSecondVisitsAndOtherTabsWriteEachPictureOnce) {
  SavingRun run;
  run.server.Page("/reload.htm",
                  "<html><head><meta http-equiv=refresh content=0><title>Again</title></head>"
                  "<body><img src=\"/p1.jpg\"></body></html>");
  run.server.Page("/two.htm",
                  "<html><head><title>Two</title></head><body><img src=\"/p1.jpg\">"
                  "<img src=\"/p2.jpg\"></body></html>");
  run.Start("/reload.htm");
  const Lines out =
      run.Run("click Command6\nwait 4000\nwindow FormWeb\nnavigate " + run.server.Url("/two.htm") +
              "\nwait 2500\nprint saved count\n" + "navigate " + run.server.Url("/two.htm") +
              "\nwait 2500\nprint saved count\nwindow FormExplore\nclick Command5\n"
              "wait 2500\nwindow FormWeb\nnavigate " +
              run.server.Url("/two.htm") + "\nwait 2500\nprint saved count\n");
  // The reloading page's picture once; the second page's other picture once; nothing after.
  EXPECT_EQ(out, (Lines{"saved count=1", "saved count=0", "saved count=0"}));
  const std::vector<std::string> saved = run.Saved();
  std::string names;
  for (const std::string& name : saved) names += " " + name;
  EXPECT_EQ(saved.size(), 2u) << names;
}

TEST(WebPictureSavingDesktop, BrokenPicturesAreNeitherWrittenNorTriedOnEveryPass) {
  SavingRun run;
  // Cut short, a picture shows what arrived of it and counts as loaded by the engine.
  const std::string whole = Jpeg(600, 700, 80);
  run.server.Page("/cut.jpg", whole.substr(0, whole.size() / 2));
  run.server.Page("/cut.png", PngHead(600, 700));
  run.server.Page("/broken.htm", "<html><head><title>Broken</title></head><body>" +
                                     BrokenPictures() +
                                     "<img src=\"/cut.jpg\"><img src=\"/cut.png\">"
                                     "<img src=\"/p2.jpg\"></body></html>");
  run.Start("/broken.htm");
  // Two ticks of Timer3 after the load pass over the page again.
  const Lines out = run.Run(
      "click Command6\nwait 9000\nwindow FormWeb\nprint saved count\nprint pictures found\n");
  EXPECT_EQ(out, (Lines{"saved count=1", "pictures found=13"}));
  EXPECT_EQ(run.Saved().size(), 1u);
}

TEST(WebPictureSavingDesktop, TheScriptSwitchLetsOnePageRunItsScriptsOnce) {
  SavingRun run;
  for (const char* name : {"a", "b"}) {
    run.server.Page(std::string("/") + name + ".htm",
                    std::string("<html><head><title>blocked ") + name +
                        "</title><script>document.title='ran " + name +
                        "';new Image().src='/ping-" + name +
                        ".jpg'</script></head><body>x</body></html>");
  }
  run.Start("/a.htm");
  const std::string b = run.server.Url("/b.htm");
  const Lines out = run.Run(R"(click Command6
wait 2500
window FormExplore
print Caption
menu EnablePlayFilmMusic
wait 2500
print Caption
window FormWeb
navigate )" + b + R"(
wait 2500
window FormExplore
print Caption
click CmdPage(0)
wait 2500
print Caption
)");
  const Lines want = {"Caption=blocked a - Lumbra看图浏览器", "Caption=ran a - Lumbra看图浏览器",
                      "Caption=blocked b - Lumbra看图浏览器",
                      "Caption=blocked a - Lumbra看图浏览器"};
  EXPECT_EQ(out, want);
  const auto log = run.server.Requests();
  EXPECT_EQ(std::count(log.begin(), log.end(), "/ping-a.jpg"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "/ping-b.jpg"), 0);
}

}  // namespace
}  // namespace tv::test
