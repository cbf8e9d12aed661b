// SPDX-License-Identifier: GPL-3.0-or-later
// The web pictures in the real program under Xvfb, on pages of a loopback server of the
// test's own: the picture switch shows the gallery of a real page, a gallery click opens
// the detail window on that picture, automatic download saves each large picture once
// from what the view holds (the server sees no second request), and a page far taller
// than the engine's snapshot limit is saved whole. Against hostile pages: pictures that
// cannot be had on a page reloading itself at once, a page visited twice, broken and
// cut-short pictures, and the script switch followed by a navigation. Two copies saving
// the same page into one folder at the same moment keep every picture once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "desktop/program_run.h"
#include "program/saved_pictures.h"
#include "support/png_head.h"
#include "support/web_fixtures.h"

namespace tv::test {
namespace {

// Three large pictures, one of them twice, and a small one.
struct WebRun : ServedRun {
  WebRun() {
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
  }
};

// A page far taller than the snapshot limit is saved whole; then the picture switch shows
// the gallery of a real page and a gallery click opens the detail window.
TEST(WebPicturesDesktop, ATallPageIsSavedWholeAndTheSwitchShowsTheGallery) {
  WebRun run;
  run.Settings("/tall.htm", "");
  const std::string shots = run.home.Root();
  const Lines out = run.Run(R"(click Command6
wait 3000
window FormExplore
answer )" + shots + R"(/tall.jpg
menu PrintScreen
window FormWeb
navigate )" + run.server.Url("/pics.htm") +
                            R"(
wait 3000
window FormExplore
click Chk
print web picture count
window FormWeb
print Lab(2).Caption
wait 2000
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
)");
  // The tall page saved with no message of a failure, then the gallery's lines.
  const Lines want = {
      "save: 截图另存为: Tall.jpg",           "beep",       "web picture count=4",
      "Lab(2).Caption=图片总数：4",           "TabCount=1", "picture=" + run.server.Url("/p2.jpg"),
      "picture=" + run.server.Url("/p1.jpg"), "position=2"};
  EXPECT_EQ(out, want);
  const auto [w, h] = JpegSize(ReadBytes(shots + "/tall.jpg"));
  EXPECT_GT(w, 0);
  EXPECT_GE(h, 40000);
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
  EXPECT_EQ(JpegSizesIn(run.Downloads()),
            (std::vector<std::pair<int, int>>{{640, 700}, {800, 600}, {900, 580}}));
  for (const char* picture : {"/p1.jpg", "/p2.jpg", "/p3.jpg", "/small.jpg"}) {
    EXPECT_EQ(run.server.Count(picture), 1) << picture;
  }
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

struct SavingRun : ServedRun {
  SavingRun() {
    server.Page("/p1.jpg", Jpeg(800, 600, 40));
    server.Page("/p2.jpg", Jpeg(640, 700, 120));
    for (int i = 0; i < 5; ++i) {
      server.Page("/odd" + std::to_string(i) + ".png", "\x89PNG\r\n\x1a\n" + std::string(900, 'x'));
    }
  }

  void Start(const std::string& page) { Settings(page, "Download=1\nPop=1\n"); }

  // The files of the download folder other than the record of what it holds.
  std::vector<std::string> Saved() const {
    std::vector<std::string> names = NamesIn(Downloads());
    std::erase(names, kSavedPicturesFile);
    return names;
  }
};

// A page of missing pictures reloading itself at once saves nothing and lives; then
// broken and cut-short pictures are neither written nor tried on every pass.
TEST(WebPictureSavingDesktop, MissingAndBrokenPicturesAreNeitherWrittenNorTriedAgain) {
  SavingRun run;
  run.server.Page("/crash.htm",
                  "<html><head><meta http-equiv=refresh content=0><title>Crash</title></head>"
                  "<body>" +
                      BrokenPictures() + "</body></html>");
  // Cut short, a picture shows what arrived of it and counts as loaded by the engine.
  const std::string whole = Jpeg(600, 700, 80);
  run.server.Page("/cut.jpg", whole.substr(0, whole.size() / 2));
  run.server.Page("/cut.png", PngHead(600, 700));
  run.server.Page("/broken.htm", "<html><head><title>Broken</title></head><body>" +
                                     BrokenPictures() +
                                     "<img src=\"/cut.jpg\"><img src=\"/cut.png\">"
                                     "<img src=\"/p2.jpg\"></body></html>");
  run.Start("/crash.htm");
  // Two ticks of Timer3 after the load pass over the broken page again.
  const Lines out = run.Run(
      "click Command6\nwait 5000\nwindow FormWeb\nprint saved count\nnavigate " +
      run.server.Url("/broken.htm") + "\nwait 9000\nprint saved count\nprint pictures found\n");
  EXPECT_EQ(out, (Lines{"saved count=0", "saved count=1", "pictures found=13"}));
  EXPECT_EQ(run.Saved().size(), 1u);  // the whole picture of the broken page alone
}

// Reloads, second visits and other tabs write each picture once; then the script switch
// lets one page run its scripts once, in the same tab.
TEST(WebPictureSavingDesktop, EachPictureIsWrittenOnceAndTheScriptSwitchActsOnce) {
  SavingRun run;
  run.server.Page("/reload.htm",
                  "<html><head><meta http-equiv=refresh content=0><title>Again</title></head>"
                  "<body><img src=\"/p1.jpg\"></body></html>");
  run.server.Page("/two.htm",
                  "<html><head><title>Two</title></head><body><img src=\"/p1.jpg\">"
                  "<img src=\"/p2.jpg\"></body></html>");
  for (const char* name : {"a", "b"}) {
    run.server.Page(std::string("/") + name + ".htm",
                    std::string("<html><head><title>blocked ") + name +
                        "</title><script>document.title='ran " + name +
                        "';new Image().src='/ping-" + name +
                        ".jpg'</script></head><body>x</body></html>");
  }
  run.Start("/reload.htm");
  const std::string two = "navigate " + run.server.Url("/two.htm") + "\nwait 2500\n";
  const Lines out =
      run.Run("click Command6\nwait 4000\nwindow FormWeb\n" + two + "print saved count\n" + two +
              "print saved count\nwindow FormExplore\nclick Command5\n"
              "wait 2500\nwindow FormWeb\n" +
              two + "print saved count\nnavigate " + run.server.Url("/a.htm") + R"(
wait 2500
window FormExplore
print Caption
menu EnablePlayFilmMusic
wait 2500
print Caption
window FormWeb
navigate )" + run.server.Url("/b.htm") +
              R"(
wait 2500
window FormExplore
print Caption
click CmdPage(0)
wait 2500
print Caption
)");
  // The reloading page's picture once; the second page's other picture once; nothing after.
  const Lines want = {"saved count=1",
                      "saved count=0",
                      "saved count=0",
                      "Caption=blocked a - Lumbra看图浏览器",
                      "Caption=ran a - Lumbra看图浏览器",
                      "Caption=blocked b - Lumbra看图浏览器",
                      "Caption=blocked a - Lumbra看图浏览器"};
  EXPECT_EQ(out, want);
  const std::vector<std::string> saved = run.Saved();
  std::string names;
  for (const std::string& name : saved) names += " " + name;
  EXPECT_EQ(saved.size(), 2u) << names;
  const auto log = run.server.Requests();
  EXPECT_EQ(std::count(log.begin(), log.end(), "/ping-a.jpg"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "/ping-b.jpg"), 0);
}

TEST(TwoCopiesDesktop, SavingIntoOneFolderKeepsEveryPictureOnce) {
  constexpr int kPictures = 200;
  LoopbackServer server;
  std::string page = "<title>Two hundred</title>";
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = "/p/" + std::to_string(i) + ".jpg";
    server.Page(name, Jpeg(600, 600 + i % 7, static_cast<uint8_t>(i)));
    page += "<img src=\"" + name + "\">";
  }
  server.Page("/two.htm", page);
  // Until a race would show.
  for (int run = 0; run < 5; ++run) {
    TempHome home;
    home.Write("home/.local/share/tessaview/keep", "");
    home.Write("home/.config/tessaview/settings.ini",
               "[Tessaro2017/setup]\nPop=1\nHomepage=" + server.Url("/two.htm") + "\n");
    const std::string script =
        home.Write("script.scn",
                   "click Command6\nwait 6000\nwindow FormExplore\nclick Command4\n"
                   "window FormWeb\nprint saved count\n");
    auto first = std::async(std::launch::async, [&] { return RunProgramScript(script); });
    auto second = std::async(std::launch::async, [&] { return RunProgramScript(script); });
    const std::vector<std::string> a = first.get(), b = second.get();
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    const int counted =
        std::stoi(a[0].substr(a[0].find('=') + 1)) + std::stoi(b[0].substr(b[0].find('=') + 1));
    const std::string folder = home.Root() + "/home/Tessaview/";
    EXPECT_EQ(JpegSizesIn(folder).size(), static_cast<size_t>(kPictures)) << "run " << run;
    EXPECT_EQ(counted, kPictures) << "run " << run;
    EXPECT_EQ(ReadSavedPictures(ReadFile(folder + kSavedPicturesFile)).size(),
              static_cast<size_t>(kPictures))
        << "run " << run;
  }
}

}  // namespace
}  // namespace tv::test
