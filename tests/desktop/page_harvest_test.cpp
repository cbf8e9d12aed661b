// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the pictures of pages written as sites are today, in the real program against a
// loopback server of the test's own: each picture at its own size, from its own bytes,
// once, upright; the larger versions a page names fetched when saved by hand, and by
// automatic download only when the options say so.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "desktop/program_run.h"
#include "support/web_fixtures.h"

namespace tv::test {
namespace {

using Sizes = std::vector<std::pair<int, int>>;

struct HarvestRun : ServedRun {
  HarvestRun() {
    server.Page("/start.htm", "<title>start</title>");
    // Behind a redirect, shown at 900 pixels.
    server.Redirect("/r/big.jpg", "/big-r.jpg");
    server.Page("/big-r.jpg", Jpeg(2560, 1600, 1));
    server.Cacheable("/big-r.jpg");
    server.Page("/redirect.htm", "<img src=\"/r/big.jpg\" style=\"width:900px\">");
    // Opened on its own and fitted to the tab.
    server.Page("/alone.jpg", Jpeg(1708, 2560, 2));
    // Scaled down by its column below the size rule.
    server.Page("/col.jpg", Jpeg(1400, 900, 3));
    server.Page("/column.htm",
                "<div style=\"width:400px\"><img src=\"/col.jpg\" style=\"max-width:100%\"></div>");
    // Responsive pictures: the largest candidate, neither the 1x nor the fallback.
    server.Page("/s-1200.jpg", Jpeg(1200, 800, 4));
    server.Page("/s-2560.jpg", Jpeg(2560, 1700, 5));
    server.Page("/pc-small.jpg", Jpeg(800, 600, 6));
    server.Page("/pc-big.jpg", Jpeg(2000, 1300, 7));
    server.Page("/pc-fallback.jpg", Jpeg(700, 650, 8));
    server.Page("/srcset.htm",
                "<img src=\"/s-1200.jpg\" srcset=\"/s-1200.jpg 1x, /s-2560.jpg 2x\" width=600>"
                "<picture><source srcset=\"/pc-small.jpg 800w, /pc-big.jpg 2000w\">"
                "<img src=\"/pc-fallback.jpg\" width=700 height=650></picture>");
    // Thumbnails linking to their pictures, by name and by the answer's type; one links to
    // a page.
    std::string thumbs;
    for (int i = 0; i < 6; ++i) {
      const std::string n = std::to_string(i);
      server.Page("/t" + n + ".jpg", Jpeg(100, 80, static_cast<uint8_t>(10 + i)));
      server.Page("/l" + n + ".jpg", Jpeg(1600, 900 + i, static_cast<uint8_t>(20 + i)));
      thumbs += "<a href=\"/l" + n + ".jpg\"><img src=\"/t" + n + ".jpg\"></a>";
    }
    server.Typed("/photo/7", Jpeg(1500, 950, 30), "image/jpeg");
    server.Page("/photo/8", "<p>a page</p>");
    server.Page("/links.htm", thumbs +
                                  "<a href=\"/photo/7\"><img src=\"/t0.jpg\"></a>"
                                  "<a href=\"/photo/8\"><img src=\"/t1.jpg\"></a>");
    // Lazy pictures below the fold and background pictures.
    std::string lazy = "<div style=\"height:6000px\"></div>";
    std::string boxes;
    for (int i = 0; i < 5; ++i) {
      const std::string n = std::to_string(i);
      server.Page("/lazy" + n + ".jpg", Jpeg(1200, 700 + i, static_cast<uint8_t>(40 + i)));
      lazy += "<img loading=\"lazy\" src=\"/lazy" + n + ".jpg\" width=700 height=600>";
    }
    for (int i = 0; i < 3; ++i) {
      const std::string n = std::to_string(i);
      server.Page("/bg" + n + ".jpg", Jpeg(1100, 650 + i, static_cast<uint8_t>(50 + i)));
      boxes += "<div style=\"width:700px;height:600px;background-image:url(/bg" + n +
               ".jpg)\">"
               "</div>";
    }
    server.Page("/lazy.htm", lazy);
    server.Page("/boxes.htm", boxes);
    // Taken with the camera turned, and one picture by two addresses and a link.
    server.Page("/turned.jpg", WithOrientation(Jpeg(800, 600, 60), 6));
    server.Page("/turned.htm", "<img src=\"/turned.jpg\">");
    server.Redirect("/two-a.jpg", "/two.jpg");
    server.Page("/two.jpg", Jpeg(1000, 700, 70));
    server.Page("/two.htm",
                "<img src=\"/two-a.jpg\"><img src=\"/two.jpg\">"
                "<a href=\"/two.jpg\"><img src=\"/t2.jpg\"></a>");
  }

  void Start(const std::string& extra) { Settings("/start.htm", "Pop=1\n" + extra); }

  // Each page in turn, its pictures saved by hand; the count saved on each.
  Lines SaveByHand(const std::vector<std::string>& pages) {
    std::string script = "click Command6\nwait 2500\n";
    for (const std::string& page : pages) {
      script += "window FormWeb\nnavigate " + server.Url(page) +
                "\nwait 2500\nwindow FormExplore\nclick Command4\nwindow FormWeb\n"
                "print saved count\n";
    }
    return Run(script);
  }
};

TEST(PageHarvestDesktop, EveryPictureIsSavedAtItsOwnSizeOnceAndUpright) {
  HarvestRun run;
  run.Start("Download=0\n");
  const Lines out =
      run.SaveByHand({"/redirect.htm", "/alone.jpg", "/column.htm", "/srcset.htm", "/links.htm",
                      "/lazy.htm", "/boxes.htm", "/turned.htm", "/two.htm"});
  EXPECT_EQ(out, (Lines{"saved count=1", "saved count=1", "saved count=1", "saved count=2",
                        "saved count=7", "saved count=5", "saved count=3", "saved count=1",
                        "saved count=1"}));
  Sizes want = {{2560, 1600}, {1708, 2560}, {1400, 900}, {2560, 1700},
                {2000, 1300}, {1500, 950},  {600, 800},  {1000, 700}};
  for (int i = 0; i < 6; ++i) want.push_back({1600, 900 + i});
  for (int i = 0; i < 5; ++i) want.push_back({1200, 700 + i});
  for (int i = 0; i < 3; ++i) want.push_back({1100, 650 + i});
  std::sort(want.begin(), want.end());
  EXPECT_EQ(JpegSizesIn(run.Downloads()), want);
  // A picture the page had loaded is not asked for again (the engine's cache answers for
  // a redirected one); one it had not, once, with the page as referrer.
  EXPECT_EQ(run.server.Count("/big-r.jpg"), 1);
  EXPECT_EQ(run.server.Count("/l3.jpg"), 1);
  EXPECT_EQ(run.server.Referers("/l3.jpg"), Lines{run.server.Url("/links.htm")});
}

TEST(PageHarvestDesktop, AutomaticDownloadFetchesOnlyWhenTheOptionsSaySo) {
  for (const bool fetch : {false, true}) {
    HarvestRun run;
    run.Start(std::string("Download=1\nFetchLarger=") + (fetch ? "1" : "0") + "\n");
    const Lines out = run.Run("click Command6\nwait 2500\nwindow FormWeb\nnavigate " +
                              run.server.Url("/links.htm") + "\nwait 9000\nprint saved count\n");
    EXPECT_EQ(out, Lines{fetch ? "saved count=7" : "saved count=0"}) << fetch;
    EXPECT_EQ(run.server.Count("/l0.jpg"), fetch ? 1 : 0);
  }
}

}  // namespace
}  // namespace tv::test
