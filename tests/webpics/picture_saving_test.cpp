// Picture saving where it meets the rest of the program: a window closed or a frame
// closed in the middle of a run, a folder that cannot be written, a full address list and
// a second window that has to wait.
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/headless/headless_loop.h"
#include "platform/jpeg.h"
#include "support/browser_rig.h"

namespace tv {
namespace {

class PictureSaving : public ::testing::Test {
 protected:
  PictureSaving() {
    for (const char* name : {"a", "b", "c"}) {
      const std::string path = rig.home.Root() + "/web/" + name + ".jpg";
      test::TempHome::WriteAt(path, "");
      SaveJpegFile(path, 64, 48, 80, [](int, int rows, uint8_t* rgb) {
        std::fill(rgb, rgb + rows * 64 * 3, 200);
        return true;
      });
    }
    folder = rig.home.Root() + "/saved/";
    test::TempHome::WriteAt(folder + "keep", "");
  }

  // A page of `n` large pictures, the three pictures in turn (the same address again
  // after every third unless `distinct`).
  FormWeb& PageOf(int n, bool distinct) {
    std::string html = "<html><body>";
    for (int i = 0; i < n; ++i) {
      html += "<img src=\"" + rig.home.Root() + "/web/" + "abc"[i % 3] + ".jpg";
      if (distinct) html += "?" + std::to_string(i);
      html += "\" width=600 height=600>";
    }
    const std::string page = rig.home.Write("web/page.htm", html + "</body></html>");
    FormWeb& web = *rig.tabs().CurrentPage();
    web.Web->View()->Navigate(page);
    rig.platform.loop.DoEvents();
    return web;
  }

  int SavedFiles() {
    int n = 0;
    if (DIR* d = opendir(folder.c_str())) {
      while (dirent* e = readdir(d)) n += std::string(e->d_name).find(".jpg") != std::string::npos;
      closedir(d);
    }
    return n;
  }

  HeadlessLoop& Loop() { return dynamic_cast<HeadlessLoop&>(rig.platform.loop); }

  test::BrowserRig rig;
  std::string folder;
};

TEST_F(PictureSaving, AWindowClosedDuringARunStopsAfterThePictureInProgress) {
  FormWeb& web = PageOf(3, false);
  Loop().PostTask([&] { rig.app.Unload(web); });
  web.SavePictureDisk(folder);
  EXPECT_EQ(SavedFiles(), 1);
  EXPECT_FALSE(web.IsVisible());
  EXPECT_FALSE(web.IsUnloaded());
  EXPECT_FALSE(rig.app.State().picture_saving.running);
  // The unload waits for the next Timer3 tick, even after the ticks had run out.
  rig.platform.loop.Sleep(5100);
  EXPECT_TRUE(web.IsUnloaded());
}

TEST_F(PictureSaving, AFrameClosedDuringARunTakesThePageWithIt) {
  FormWeb& web = PageOf(3, false);
  Loop().PostTask([&] { rig.app.Unload(*rig.frame); });
  web.SavePictureDisk(folder);
  EXPECT_EQ(SavedFiles(), 1);
  EXPECT_TRUE(rig.frame->IsUnloaded());
  EXPECT_TRUE(web.IsUnloaded());
}

TEST_F(PictureSaving, AFolderThatCannotBeWrittenSavesNothingAndKeepsTheCounters) {
  FormWeb& web = PageOf(3, false);
  folder = rig.home.Root() + "/missing/";
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.pictures_found, 3);
  EXPECT_EQ(web.StateField("saved count"), "0");
  EXPECT_EQ(web.Lab[8].Caption(), "  自动下载图片 0");
  EXPECT_EQ(SavedFiles(), 0);
  // A file standing where the folder should be: nothing is written beside or into it.
  folder = rig.home.Root() + "/saved/keep";
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "0");
  EXPECT_EQ(test::ReadFile(folder), "");
}

TEST_F(PictureSaving, RunsAfterTheLimitSaveNothingMore) {
  FormWeb& web = PageOf(260, true);
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "201");
  EXPECT_EQ(SavedFiles(), 200);
  // Timer3 runs it again on the same page: the address list is full.
  web.SavePictureDisk(folder);
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "201");
  EXPECT_EQ(SavedFiles(), 200);
}

TEST_F(PictureSaving, AFailedPictureIsTriedAgainByTheNextRun) {
  FormWeb& web = PageOf(3, true);
  std::remove((rig.home.Root() + "/web/b.jpg").c_str());
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "2");
  test::TempHome::WriteAt(rig.home.Root() + "/web/b.jpg",
                          test::ReadFile(rig.home.Root() + "/web/a.jpg"));
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "3");
  EXPECT_EQ(SavedFiles(), 3);
}

// The contrast of two blue-green-red colours, as the accessibility guidelines count it.
double Contrast(uint32_t a, uint32_t b) {
  const auto luminance = [](uint32_t bgr) {
    double sum = 0;
    const double weight[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
      const double c = ((bgr >> (8 * i)) & 0xFF) / 255.0;
      sum += weight[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(PictureSaving, TheCounterCanBeReadInEveryState) {
  FormWeb& web = PageOf(3, true);
  Control& counter = web.Lab[8];
  EXPECT_EQ(counter.BackColor(), 16777215u);  // before a run: white
  EXPECT_GE(Contrast(counter.ForeColor(), counter.BackColor()), 4.5);
  web.SavePictureDisk(folder);
  EXPECT_EQ(counter.Caption(), "  自动下载图片 3");
  EXPECT_EQ(counter.BackColor(), 16384u);  // after it: the progress bar's dark green
  EXPECT_GE(Contrast(counter.ForeColor(), counter.BackColor()), 4.5);
  web.SavePictureForSize(folder);
  EXPECT_GE(Contrast(counter.ForeColor(), counter.BackColor()), 4.5);
  web.BeforeDownload();
  EXPECT_EQ(counter.BackColor(), 16777215u);
  EXPECT_GE(Contrast(counter.ForeColor(), counter.BackColor()), 4.5);
}

TEST_F(PictureSaving, AWindowWaitsWhileAnotherSaves) {
  FormWeb& web = PageOf(3, true);
  web.Timer3->SetTimerEnabled(false);
  rig.app.State().picture_saving.running = true;
  web.SavePictureDisk(folder);
  web.SavePictureForSize(folder);
  EXPECT_EQ(SavedFiles(), 0);
  EXPECT_TRUE(web.Timer3->TimerEnabled());
  rig.app.State().picture_saving.running = false;
  web.SavePictureDisk(folder);
  EXPECT_EQ(SavedFiles(), 3);
}

}  // namespace
}  // namespace tv
