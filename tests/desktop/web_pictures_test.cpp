// SPDX-License-Identifier: GPL-3.0-or-later
// The web pictures in the real program under Xvfb, on pages of a loopback server of the
// test's own: the picture switch shows the gallery of a real page, a gallery click opens
// the detail window on that picture, automatic download saves each large picture once
// from what the view holds (the server sees no second request), and a page far taller
// than the engine's snapshot limit is saved whole.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "desktop/program_run.h"
#include "platform/jpeg.h"
#include "support/loopback_server.h"
#include "support/test_env.h"
#include "support/web_fixtures.h"

namespace tv::test {
namespace {

using Lines = std::vector<std::string>;

struct WebRun {
  WebRun() {
    // Three large pictures, one of them twice, and a small one.
    server.Page("/p1.jpg", Jpeg(800, 600, 40));
    server.Page("/p2.jpg", Jpeg(640, 700, 120));
    server.Page("/p3.jpg", Jpeg(900, 580, 200));
    server.Page("/small.jpg", Jpeg(100, 100, 90));
    server.Page("/pics.htm",
                "<html><head><title>Pictures - three</title></head><body>"
                "<img src=\"/p1.jpg\"><img src=\"/small.jpg\"><img src=\"/p2.jpg\">"
                "<img src=\"/p1.jpg\"><img src=\"/p3.jpg\"></body></html>");
    server.Page("/tall.htm",
                "<html><head><title>Tall</title></head><body style=\"margin:0\">"
                "<div style=\"height:40000px;background:linear-gradient(#f00,#00f)\"></div>"
                "</body></html>");
    home.Write("home/.local/share/tessaview/keep", "");
  }

  void Settings(const std::string& page, const std::string& extra) {
    home.Write("home/.config/tessaview/settings.ini",
               "[Tessaro2017/setup]\nHomepage=" + server.Url(page) + "\n" + extra);
  }

  std::string Downloads() const { return home.Root() + "/home/Tessaview"; }

  // Runs the program on `script` and returns what it printed, one entry a line.
  std::vector<std::string> Run(const std::string& script) {
    return RunProgramScript(home.Write("script.scn", script));
  }

  TempHome home;
  LoopbackServer server;
};

TEST(WebPicturesDesktop, TheSwitchShowsTheGalleryAndAClickOpensTheDetailWindow) {
  WebRun run;
  run.Settings("/pics.htm", "");
  const std::string shots = run.home.Root();
  const Lines out = run.Run(R"(click Command6
wait 3000
window FormExplore
click Chk
print web picture count
window FormWeb
print Lab(2).Caption
wait 2000
window FormExplore
snapshot )" + shots + R"(/gallery.png
window FormWeb
follow 2 WebPic
wait 2000
window FormExplore
print TabCount
window FormImage
print picture
click Cmd(2)
wait 1500
print picture
print position
snapshot )" + shots + R"(/detail.png
)");
  const Lines want = {"web picture count=4",
                      "Lab(2).Caption=图片总数：4",
                      "TabCount=1",
                      "picture=" + run.server.Url("/p2.jpg"),
                      "picture=" + run.server.Url("/p1.jpg"),
                      "position=2"};
  EXPECT_EQ(out, want);
  EXPECT_TRUE(std::filesystem::exists(shots + "/gallery.png"));
  EXPECT_TRUE(std::filesystem::exists(shots + "/detail.png"));
  if (const char* keep = std::getenv("TV_KEEP_SNAPSHOTS")) {
    std::filesystem::copy_file(shots + "/gallery.png", std::string(keep) + "/web-gallery.png",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(shots + "/detail.png", std::string(keep) + "/web-detail.png",
                               std::filesystem::copy_options::overwrite_existing);
  }
}

TEST(WebPicturesDesktop, AutomaticDownloadSavesEachLargePictureOnceWithoutASecondRequest) {
  WebRun run;
  run.Settings("/pics.htm", "Download=1\n");
  const Lines out = run.Run(R"(click Command6
wait 12000
window FormWeb
print saved count
print pictures found
)");
  const Lines want = {"saved count=3", "pictures found=4"};
  EXPECT_EQ(out, want);
  std::vector<std::pair<int, int>> sizes;
  for (const auto& f : std::filesystem::directory_iterator(run.Downloads())) {
    if (f.path().extension() != ".jpg") continue;  // the record of saved pictures
    std::ifstream in(f.path(), std::ios::binary);
    sizes.push_back(JpegSize(std::string((std::istreambuf_iterator<char>(in)), {})));
  }
  std::sort(sizes.begin(), sizes.end());
  const std::vector<std::pair<int, int>> want_sizes = {{640, 700}, {800, 600}, {900, 580}};
  EXPECT_EQ(sizes, want_sizes);
  for (const char* picture : {"/p1.jpg", "/p2.jpg", "/p3.jpg", "/small.jpg"}) {
    EXPECT_EQ(run.server.Count(picture), 1) << picture;
  }
}

TEST(WebPicturesDesktop, APageFarTallerThanTheSnapshotLimitIsSavedWhole) {
  WebRun run;
  run.Settings("/tall.htm", "");
  const std::string shot = run.home.Root() + "/tall.jpg";
  const Lines out = run.Run(R"(click Command6
wait 3000
window FormExplore
answer )" + shot + R"(
menu PrintScreen
)");
  EXPECT_EQ(std::count_if(out.begin(), out.end(),
                          [](const std::string& l) { return l.rfind("message:", 0) == 0; }),
            0);
  std::ifstream in(shot, std::ios::binary);
  const auto [w, h] = JpegSize(std::string((std::istreambuf_iterator<char>(in)), {}));
  EXPECT_GT(w, 0);
  EXPECT_GE(h, 40000);
}

}  // namespace
}  // namespace tv::test
