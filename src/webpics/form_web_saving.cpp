// The page window's picture saving: the large pictures of its page as JPEG files, taken
// from what the view already holds, by hand or after every page load; and the screenshot
// of the whole page.
#include <algorithm>

#include "app/application.h"
#include "frame/form_explore.h"
#include "gallery/file_dialogs.h"
#include "gallery/save_jpeg.h"
#include "host/html_view.h"
#include "webpics/form_web.h"
#include "webpics/page_shot.h"
#include "webpics/picture_file_names.h"
#include "webpics/web_pictures.h"

namespace tv {

namespace {

constexpr int kQuality = 80;
constexpr int32_t kMaxSaved = 200;           // addresses a run saves
constexpr int32_t kAddressSlots = 201;       // the one past the limit is recorded, unsaved
constexpr uint64_t kKeptLength = 30000;      // smaller files of a save of every picture go
constexpr uint32_t kProgressColour = 16384;  // dark green
constexpr uint32_t kWhite = 16777215;
constexpr int kCounterWidth = 2400;

// The picture of element `index` as a JPEG file; false when nothing was written.
bool SavePicture(HtmlView& view, int index, const std::string& file) {
  const std::optional<Picture> picture = view.CopyPicture(index);
  if (!picture || picture->width <= 0 || picture->height <= 0) return false;
  return SaveJpeg(picture->Bands(), picture->width, picture->height, file, kQuality);
}

}  // namespace

std::string FormWeb::SaveFolder(const std::string& path) {
  std::string folder = path;
  if (folder.empty() || folder.back() != '/') folder += '/';
  state_.picture_saving.download_folder = folder;
  return folder;
}

void FormWeb::ShowSaveProgress(int32_t n) {
  Lab[8].SetWidth((n % 24) * 100);
  Lab[8].SetBackColor(kProgressColour);
  // White on the dark green, so the count shown after the run can be read.
  Lab[8].SetForeColor(kWhite);
  Lab[8].SetCaption("");
}

void FormWeb::SavePictureDisk(const std::string& path) {
  if (saving_) return;
  PictureSaving& s = state_.picture_saving;
  if (s.running) {
    // Another window is saving; a later tick tries again.
    Timer3->SetTimerEnabled(true);
    return;
  }
  const std::string folder = SaveFolder(path);
  s.running = saving_ = true;
  s.file_counter = 0;
  pictures_found = 0;

  Platform& p = Services();
  HtmlView& view = *Web->View();
  const std::string page = view.LocationURL();
  const std::vector<HtmlElement> elements = view.All();
  for (size_t i = 0; i < elements.size(); ++i) {
    const HtmlElement& e = elements[i];
    if (!IsLargePicture(e)) continue;
    ++pictures_found;
    Lab[2].SetCaption("发现图片：" + std::to_string(pictures_found));
    p.loop.DoEvents();
    // The elements read belong to this page; once it has moved on they name nothing.
    if (view.LocationURL() != page) break;
    const int32_t known = std::min(saved_count_, kAddressSlots);
    const auto first = saved_addresses_.begin();
    if (std::find(first, first + known, e.src) != first + known) continue;
    // The list is full: the one past the limit was recorded by an earlier run.
    if (saved_count_ >= kAddressSlots) break;
    saved_addresses_[static_cast<size_t>(saved_count_++)] = e.src;
    if (saved_count_ > kMaxSaved) break;
    const std::string file = MakePictureFileName(p.fs, folder, p.clock.Now(), s.file_counter);
    // A picture that could not be had or written is tried again by a later run.
    if (!SavePicture(view, static_cast<int>(i), file)) --saved_count_;
    ShowSaveProgress(saved_count_);
    p.loop.DoEvents();
    if (close_requested_) {
      saving_ = s.running = false;
      AfterStoppedSave();
      return;
    }
  }
  saving_ = s.running = false;
  Lab[8].SetCaption("  自动下载图片 " + std::to_string(saved_count_));
  if (pictures_found > 0) Lab[2].SetCaption("发现图片：" + std::to_string(pictures_found));
  Lab[8].SetWidth(kCounterWidth);
}

void FormWeb::SavePictureForSize(const std::string& path) {
  if (saving_ || state_.picture_saving.running) return;
  PictureSaving& s = state_.picture_saving;
  const std::string folder = SaveFolder(path);
  // The window's close waits for this run as for the other one.
  s.running = saving_ = true;
  int32_t k = 0;
  SetBusyPointer(true);
  Platform& p = Services();
  HtmlView& view = *Web->View();
  const std::vector<HtmlElement> elements = view.All();
  bool stopped = false;
  for (size_t i = 0; i < elements.size() && !stopped; ++i) {
    if (elements[i].tag_name != "IMG") continue;
    const std::string file = MakePictureFileName(p.fs, folder, p.clock.Now(), s.file_counter);
    const bool written = SavePicture(view, static_cast<int>(i), file);
    p.loop.DoEvents();
    if (written) {
      const std::optional<uint64_t> length = p.fs.FileLength(file);
      if (length && *length >= kKeptLength) {
        ++saved_count_;
        k = (k + 1) % 24;
        ShowSaveProgress(k);
      } else {
        p.fs.Delete(file);
      }
    }
    stopped = close_requested_;
  }
  saving_ = s.running = false;
  SetBusyPointer(false);
  if (stopped) {
    AfterStoppedSave();
    return;
  }
  Lab[8].SetCaption("  下载图片 " + std::to_string(saved_count_));
  Lab[8].SetWidth(kCounterWidth);
}

void FormWeb::AfterStoppedSave() {
  // The window was closed during the run. Timer3 unloads it at its next tick; a frame
  // that has closed meanwhile cannot wait for that.
  if (frame_.IsUnloaded()) {
    app_.Unload(*this);
  } else {
    Timer3->SetTimerEnabled(true);
  }
}

void FormWeb::BeforeDownload() {
  saved_count_ = 0;
  timer3_ticks_ = 0;
  Lab[2].SetCaption("0");
  Lab[8].SetCaption("  自动下载图片 0");
  Lab[8].SetBackColor(kWhite);
  Lab[8].SetForeColor(kBlack);
  Lab[8].SetWidth(kCounterWidth);
  // Every navigation is followed by six Timer3 ticks.
  Timer3->SetTimerEnabled(true);
}

void FormWeb::AutoDownLoadImag() {
  BeforeDownload();
  Timer3->SetTimerEnabled(false);
  const std::string folder = state_.picture_saving.download_folder;
  SavePictureDisk(folder);
  if (close_requested_) return;
  // Few large pictures: every picture of the page, keeping the big files.
  if (pictures_found < 2) SavePictureForSize(folder);
}

void FormWeb::ScreenSaveAs() {
  const std::string file = SaveFileDialog(Services(), this, kPageShotTitle,
                                          ScreenshotName(frame_.Caption()), kFilterPictures);
  if (file.empty()) return;
  SetBusyPointer(true);
  Services().loop.DoEvents();
  // The view this window shows, whichever window was activated last.
  HtmlView& view = *(frame_.Chk->Value() != 0 ? WebPic : Web)->View();
  const std::string problem = SavePageShot(view, file);
  if (!problem.empty()) {
    Services().dialogs.MsgBox(this, problem, MsgIcon::Exclamation, kPageShotTitle);
  }
  SetBusyPointer(false);
  Beep();
}

}  // namespace tv
