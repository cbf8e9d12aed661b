// SPDX-License-Identifier: GPL-3.0-or-later
// Picture saving where it meets the rest of the program: a window closed, a frame closed
// or the page left in the middle of a run, a folder that cannot be written, a full
// address list, a second window that has to wait, and pictures known by their content.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/content_hash.h"
#include "platform/front_end.h"
#include "platform/headless/headless_loop.h"
#include "platform/headless/headless_view.h"
#include "platform/jpeg.h"
#include "program/saved_pictures.h"
#include "support/browser_rig.h"
#include "support/memory_file_system.h"
#include "support/png_head.h"
#include "webpics/picture_file_names.h"
#include "webpics/picture_saver.h"

namespace tv {
namespace {

namespace fs = std::filesystem;
using Count = std::pair<std::string, int>;

class PictureSaving : public ::testing::Test {
 protected:
  PictureSaving() {
    for (int i = 0; i < 3; ++i) Picture(std::string(1, "abc"[i]), 40 * i);
    folder = rig.home.Root() + "/saved/";
    test::TempHome::WriteAt(folder + "keep", "");
  }

  // web/NAME.jpg, a picture of its own for every `shade`.
  std::string Picture(const std::string& name, int shade) {
    const std::string path = rig.home.Root() + "/web/" + name + ".jpg";
    test::TempHome::WriteAt(path, "");
    SaveJpegFile(path, 64, 48, 80, [shade](int first, int rows, uint8_t* rgb) {
      for (int i = 0; i < rows * 64; ++i, rgb += 3) {
        rgb[0] = static_cast<uint8_t>(shade), rgb[1] = static_cast<uint8_t>(shade >> 8);
        rgb[2] = static_cast<uint8_t>(first + i / 64);
      }
      return true;
    });
    return path;
  }

  // A page of `n` large pictures, the three pictures in turn (the same address again
  // after every third unless `distinct`).
  FormWeb& PageOf(int n, bool distinct) {
    std::string html;
    for (int i = 0; i < n; ++i)
      html +=
          Large(std::string(1, "abc"[i % 3]) + ".jpg" + (distinct ? "?" + std::to_string(i) : ""));
    return Show(html);
  }

  // A large picture of web/`file`.
  std::string Large(const std::string& file) {
    return "<img src=\"" + rig.home.Root() + "/web/" + file + "\" width=600 height=600>";
  }

  FormWeb& Show(const std::string& body) {
    const std::string page =
        rig.home.Write("web/page.htm", "<html><body>" + body + "</body></html>");
    FormWeb& web = *rig.tabs().CurrentPage();
    web.Web->View()->Navigate(page);
    rig.platform.loop.DoEvents();
    return web;
  }

  // `view` on a page of one picture, which it shows 8 pixels square as it is.
  PagePicture OnePicture(HtmlView& view) {
    view.Navigate(rig.home.Write("web/one.htm", "<img src=\"" + rig.home.Root() + "/web/a.jpg\">"));
    Loop().DoEvents();
    const std::vector<HtmlElement> all = view.All();
    const auto img =
        std::find_if(all.begin(), all.end(), [](auto& e) { return e.tag_name == "IMG"; });
    EXPECT_NE(img, all.end());
    PagePicture p;
    if (img == all.end()) return p;
    p.address = img->src;
    p.element = static_cast<int>(img - all.begin());
    p.loaded = p.large = true;
    p.shown_width = p.own_width = p.shown_height = p.own_height = 8;
    return p;
  }

  // A target in the saved folder whose names are counted.
  PictureTarget Target(SavedPictures& saved, int& names) {
    saved.Use(rig.posix.fs, folder);
    return {rig.posix.fs, saved,
            [this, &names] { return folder + "shown" + std::to_string(++names) + ".jpg"; }, 0,
            [] { return true; }};
  }

  // The page's counter and the pictures in the folder.
  Count Saved(FormWeb& web) { return {web.StateField("saved count").value_or(""), SavedFiles()}; }
  int OutputLines() {
    const std::string out = rig.output.str();
    return static_cast<int>(std::count(out.begin(), out.end(), '\n'));
  }

  int SavedFiles() {
    const std::vector<std::string> names = test::NamesIn(folder);
    return static_cast<int>(std::count_if(names.begin(), names.end(), [](const std::string& n) {
      return n.find(".jpg") != std::string::npos;
    }));
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

TEST_F(PictureSaving, RunsAfterTheLimitSaveNothingMore) {
  std::string html;
  for (int i = 0; i < 260; ++i)
    html += "<img src=\"" + Picture("n" + std::to_string(i), i + 10) + "\" width=600 height=600>";
  FormWeb& web = Show(html);
  web.SavePictureDisk(folder);
  // The 201st address ends the run unsaved; the counter says what was written.
  EXPECT_EQ(Saved(web), (Count{"200", 200}));
  // Timer3 runs it again on the same page: the address list is full.
  web.SavePictureDisk(folder);
  EXPECT_EQ(Saved(web), (Count{"200", 200}));
}

TEST_F(PictureSaving, AFailedPictureIsSkippedUntilTheNextNavigation) {
  FormWeb& web = PageOf(3, true);
  const std::string b = rig.home.Root() + "/web/b.jpg";
  const std::string kept = test::ReadFile(b);
  test::TempHome::WriteAt(b, "<html>404</html>");  // what a server sends for a missing one
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "2");
  test::TempHome::WriteAt(b, kept);
  web.SavePictureDisk(folder);
  EXPECT_EQ(Saved(web), (Count{"2", 2}));
  // The next visit tries it again; the two saved before are known by their content.
  web.Web->View()->Refresh();
  rig.platform.loop.DoEvents();
  web.SavePictureDisk(folder);
  EXPECT_EQ(Saved(web), (Count{"1", 3}));
}

TEST_F(PictureSaving, APictureAboveThePixelCapIsSkippedAndTheRestSaved) {
  // 196 megapixels in a few bytes: refused from its header, nothing of it decoded.
  test::TempHome::WriteAt(rig.home.Root() + "/web/huge.png", test::PngHead(14000, 14000));
  FormWeb& web = Show(Large("huge.png") + Large("a.jpg"));
  web.SavePictureDisk(folder);
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.pictures_found, 2);
  EXPECT_EQ(Saved(web), (Count{"1", 1}));
  EXPECT_EQ(ReadSavedPictures(test::ReadFile(folder + kSavedPicturesFile)).size(), 1u);
}

TEST_F(PictureSaving, APictureIsSavedOnceByContentAcrossVisitsTabsAndRestarts) {
  FormWeb& web = PageOf(6, true);  // three pictures under six addresses
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "3");
  EXPECT_EQ(web.pictures_found, 6);
  // A second visit, a copy under another name, another tab.
  std::filesystem::copy_file(rig.home.Root() + "/web/a.jpg", rig.home.Root() + "/web/copy.jpg");
  FormWeb& again = Show(Large("copy.jpg"));
  again.SavePictureDisk(folder);
  EXPECT_EQ(again.StateField("saved count"), "0");
  // A restart reads what the folder holds; the record moves with the folder.
  const std::string moved = rig.home.Root() + "/moved/";
  std::filesystem::rename(folder, moved);
  rig.app.State().picture_saving.saved = SavedPictures();
  PageOf(3, false).SavePictureDisk(moved);
  folder = moved;
  EXPECT_EQ(SavedFiles(), 3);
  EXPECT_EQ(ReadSavedPictures(test::ReadFile(moved + kSavedPicturesFile)).size(), 3u);
}

TEST_F(PictureSaving, ANavigationDuringARunEndsItAndKeepsEveryCountInRange) {
  // Missing pictures, and the page reloading itself while the run waits.
  std::string html;
  for (int i = 0; i < 5; ++i)
    html += "<img src=\"/no/such" + std::to_string(i) + ".jpg\" width=600 height=700>";
  FormWeb& web = Show(html);
  for (int run = 0; run < 5; ++run) {
    Loop().PostTask([&] { web.Web->View()->Refresh(); });
    web.SavePictureDisk(folder);
    EXPECT_EQ(web.StateField("saved count"), "0");
    EXPECT_FALSE(rig.app.State().picture_saving.running);
  }
  // A run on the page reached saves what it can; the stale one left nothing behind.
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "0");
  EXPECT_EQ(web.pictures_found, 5);
  EXPECT_EQ(SavedFiles(), 0);
}

TEST_F(PictureSaving, AFolderThatTakesNoFileSavesNothingAndSaysSoOnce) {
  FormWeb& web = PageOf(3, true);
  folder = rig.home.Root() + "/missing/";
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.pictures_found, 1);  // the first picture that could not be written ends it
  EXPECT_EQ(SavedFiles(), 0);
  web.SavePictureDisk(folder);
  web.SavePictureForSize(folder);
  EXPECT_EQ(OutputLines(), 1) << rig.output.str();
  // The next page tries again, without a second message while the folder stays so.
  web.BeforeDownload();
  web.pictures_found = 0;
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.pictures_found, 1);
  EXPECT_EQ(OutputLines(), 1);
  // Asked for by hand, it is tried and said again.
  rig.app.State().picture_saving.download_folder = folder;
  web.SaveLargePictures();
  EXPECT_EQ(OutputLines(), 2) << rig.output.str();
  // A file standing where the folder should be: nothing is written beside or into it.
  folder = rig.home.Root() + "/saved/keep";
  web.SavePictureDisk(folder);
  EXPECT_EQ(web.StateField("saved count"), "0");
  EXPECT_EQ(test::ReadFile(folder), "");
}

// A link or read-only record is replaced, never written through; one that cannot be is said once.
TEST_F(PictureSaving, ARecordThatTakesNoLineIsReplacedOrSaidOnce) {
  const std::string record = folder + kSavedPicturesFile;
  const std::string elsewhere = rig.home.Root() + "/elsewhere";
  test::TempHome::WriteAt(elsewhere, "keep me");
  fs::create_symlink(elsewhere, record);
  PageOf(3, true).SavePictureDisk(folder);
  EXPECT_EQ(SavedFiles(), 3);
  EXPECT_FALSE(fs::is_symlink(record));
  EXPECT_EQ(test::ReadFile(elsewhere), "keep me");
  EXPECT_EQ(ReadSavedPictures(test::ReadFile(record)).size(), 3u);
  fs::permissions(record, fs::perms::owner_read);
  Picture("d", 200);
  Show(Large("d.jpg")).SavePictureDisk(folder);
  EXPECT_EQ(ReadSavedPictures(test::ReadFile(record)).size(), 4u);

  fs::remove(record);
  fs::create_directory(record);
  Picture("e", 220);
  FormWeb& web = Show(Large("e.jpg"));
  web.SavePictureDisk(folder);
  web.BeforeDownload();
  web.SavePictureDisk(folder);
  EXPECT_EQ(SavedFiles(), 5);
  EXPECT_EQ(OutputLines(), 1) << rig.output.str();
}

// The counter once read white on white after a run; as the accessibility guidelines count
// contrast of two blue-green-red colours.
double Contrast(uint32_t a, uint32_t b) {
  const auto luminance = [](uint32_t bgr) {
    double sum = 0;
    const double weight[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
      const double c = ((bgr >> (8 * i)) & 0xFF) / 255.0;
      sum += weight[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum + 0.05;
  };
  return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// Before a run, after one, after a run for size, and on the next page.
TEST_F(PictureSaving, TheCounterCanBeReadInEveryState) {
  FormWeb& web = PageOf(3, true);
  Control& counter = web.status[8];
  for (int step = 0; step < 4; ++step) {
    if (step == 1) web.SavePictureDisk(folder);
    if (step == 2) web.SavePictureForSize(folder);
    if (step == 3) web.BeforeDownload();
    EXPECT_GE(Contrast(counter.ForeColor(), counter.BackColor()), 4.5) << step;
  }
}

TEST_F(PictureSaving, AWindowWaitsWhileAnotherSaves) {
  FormWeb& web = PageOf(3, true);
  web.repeat_timer->SetTimerEnabled(false);
  rig.app.State().picture_saving.running = true;
  web.SavePictureDisk(folder);
  web.SavePictureForSize(folder);
  EXPECT_EQ(SavedFiles(), 0);
  EXPECT_TRUE(web.repeat_timer->TimerEnabled());
  rig.app.State().picture_saving.running = false;
  web.SavePictureDisk(folder);
  EXPECT_EQ(SavedFiles(), 3);
}

// A page reloaded or served from the engine's cache: other pixels at every copy.
class ViewWithoutBytes : public HeadlessView {
 public:
  using HeadlessView::HeadlessView;
  std::optional<std::string> HeldPicture(const std::string&) override { return std::nullopt; }
  std::optional<Picture> ShownPicture(int) override {
    Picture p;
    p.width = p.height = 8;
    p.rgb.assign(8 * 8 * 3, static_cast<uint8_t>(++copies));
    return p;
  }
  int copies = 0;
};

// A format no decoder reads: its pixels are cut from the screen, which waits on the view.
class ViewOfAnOddFormat : public ViewWithoutBytes {
 public:
  using ViewWithoutBytes::ViewWithoutBytes;
  std::optional<std::string> HeldPicture(const std::string&) override { return kOdd; }
  std::optional<Picture> ShownPicture(int index) override {
    if (meanwhile) meanwhile();
    return ViewWithoutBytes::ShownPicture(index);
  }
  static constexpr const char* kOdd = "odd format, no decoder";
  std::function<void()> meanwhile;
};

TEST_F(PictureSaving, APictureCutFromTheScreenIsSavedOnce) {
  ScriptHooks hooks;
  SavedPictures saved;
  int names = 0;
  PictureTarget target = Target(saved, names);
  {  // Another window saves the same bytes while this one waits on the screen.
    ViewOfAnOddFormat odd(*rig.tabs().CurrentPage()->Web, Loop(), rig.posix.fs, hooks);
    odd.meanwhile = [&] { saved.Add(rig.posix.fs, ContentHash(ViewOfAnOddFormat::kOdd)); };
    EXPECT_EQ(SaveWebPicture(odd, OnePicture(odd), target, false), PictureSave::kAlreadySaved);
    EXPECT_EQ(names, 0);
  }
  // Without its bytes a reload shows other pixels: it is known by its address.
  ViewWithoutBytes view(*rig.tabs().CurrentPage()->Web, Loop(), rig.posix.fs, hooks);
  const PagePicture shown = OnePicture(view);
  EXPECT_EQ(SaveWebPicture(view, shown, target, false), PictureSave::kWritten);
  EXPECT_EQ(SaveWebPicture(view, shown, target, false), PictureSave::kAlreadySaved);
  EXPECT_EQ(SavedFiles(), 1);
  saved.Use(rig.posix.fs, folder + "other/");
  EXPECT_FALSE(saved.HasAddress(shown.address));
}

TEST(PictureFileNames, ASecondRunInTheSameMinuteSkipsTheNamesInUse) {
  test::MemoryFileSystem fs;
  fs.files["/d/202735_970.jpg"] = fs.files["/d/202735_971.jpg"] = "x";
  int32_t counter = 0;
  EXPECT_EQ(MakePictureFileName(fs, "/d/", DateTime{2027, 3, 5, 9, 7, 0}, counter),
            "/d/202735_972.jpg");
  EXPECT_EQ(counter, 3);
}

}  // namespace
}  // namespace tv
