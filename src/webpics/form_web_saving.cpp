// SPDX-License-Identifier: GPL-3.0-or-later
// The page window's picture saving: the large pictures of its page as JPEG files, taken
// from what the view already holds, by hand or after every page load; and the screenshot
// of the whole page.
#include <algorithm>

#include "frame/form_explore.h"
#include "gallery/save_jpeg.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/file_dialogs.h"
#include "text/text_util.h"
#include "webpics/form_web.h"
#include "webpics/page_pictures.h"
#include "webpics/page_shot.h"
#include "webpics/picture_file_names.h"
#include "webpics/picture_saver.h"
#include "webpics/web_pictures.h"

namespace tv {

namespace {

constexpr int32_t kMaxSaved = 200;       // addresses a run saves
constexpr uint64_t kKeptLength = 30000;  // smaller files of a save of every picture go
constexpr uint32_t kProgressColour = kDarkGreen;
constexpr uint32_t kWhite = 16777215;
constexpr int kCounterWidth = 2400;
constexpr const char* kNotWrittenText = "图片无法保存到下载目录（目录不能写入或磁盘已满）：";
constexpr const char* kWaitsText = "。自动下载暂停，打开下一个网页时再试。";
constexpr const char* kUnrecordedText =
    "下载目录里的图片记录无法写入，下次启动后这些图片可能会再次保存：";
constexpr const char* kNotWrittenTitle = "下载图片";

}  // namespace

std::string FormWeb::SaveFolder(const std::string& path) {
  std::string folder = path;
  if (folder.empty() || folder.back() != '/') folder += '/';
  state_.picture_saving.download_folder = folder;
  return folder;
}

void FormWeb::ShowSaveProgress(int32_t n) {
  status[8].SetWidth((n % 24) * 100);
  status[8].SetBackColor(kProgressColour);
  // White on the dark green, so the count shown after the run can be read.
  status[8].SetForeColor(kWhite);
  status[8].SetCaption("");
}

bool FormWeb::AddressTried(const std::string& src) const {
  const int32_t known = std::clamp<int32_t>(recorded_, 0, kAddressSlots);
  const auto first = saved_addresses_.begin();
  return std::find(first, first + known, src) != first + known;
}

bool FormWeb::RecordAddress(const std::string& src) {
  const int32_t known = std::clamp<int32_t>(recorded_, 0, kAddressSlots);
  if (AddressTried(src)) return false;
  if (known >= kAddressSlots) return false;
  saved_addresses_[static_cast<size_t>(known)] = src;
  recorded_ = known + 1;
  return true;
}

std::optional<PictureSave> FormWeb::SaveOne(HtmlView& view, const PagePicture& picture,
                                            const std::string& folder, uint64_t min_length,
                                            bool fetch) {
  Platform& p = Services();
  PictureSaving& s = state_.picture_saving;
  const uint64_t navigation = navigations_;
  PictureTarget target{
      p.fs, s.saved,
      [&] { return MakePictureFileName(p.fs, folder, p.clock.Now(), s.file_counter); }, min_length,
      [&] { return navigations_ == navigation; }};
  const PictureSave result = SaveWebPicture(view, picture, target, fetch);
  if (result == PictureSave::kNotWritten) {
    // One message, and no more tries into that folder until the next page or the button.
    s.refused_folder = folder;
    // Said once while the folder stays full, however often a page reloads itself.
    if (s.told_refused != folder) {
      s.told_refused = folder;
      p.dialogs.MsgBox(this, kNotWrittenText + folder + kWaitsText, MsgIcon::Exclamation,
                       kNotWrittenTitle);
    }
    return std::nullopt;
  }
  if (result == PictureSave::kWritten) s.told_refused.clear();
  if (target.unrecorded && !s.told_unrecorded) {
    s.told_unrecorded = true;
    p.dialogs.MsgBox(this, kUnrecordedText + folder + kSavedPicturesFile, MsgIcon::Exclamation,
                     kNotWrittenTitle);
  }
  return result;
}

void FormWeb::SavePictureDisk(const std::string& path, bool fetch) {
  if (saving_) return;
  PictureSaving& s = state_.picture_saving;
  if (s.running) {
    // Another window is saving; a later tick tries again.
    repeat_timer->SetTimerEnabled(true);
    return;
  }
  const std::string folder = SaveFolder(path);
  if (s.refused_folder == folder) return;
  s.running = saving_ = true;
  s.file_counter = 0;
  pictures_found = 0;

  Platform& p = Services();
  s.saved.Use(p.fs, folder);
  HtmlView& view = *Web->View();
  // A navigation in any of the pauses below ends the run after the picture in progress:
  // the elements read belong to the page that was left, and the counters to the next one.
  const std::vector<PagePicture> pictures = PagePictures(view.All());
  fetch = fetch || b_.FetchLarger != 0;
  if (fetch) view.FetchPictures(AddressesToFetch(pictures));
  const uint64_t navigation = navigations_;
  for (const PagePicture& picture : pictures) {
    // A link that may lead to a picture counts once it has.
    if (!picture.by_type) {
      ++pictures_found;
      status[2].SetCaption("发现图片：" + std::to_string(pictures_found));
      p.loop.DoEvents();
    }
    const bool same_page = navigations_ == navigation;
    // Each address is tried once a page, whether it was saved, known or failed; the list
    // of a page that has been left is the next page's now.
    if (same_page && !RecordAddress(picture.address)) {
      if (recorded_ >= kAddressSlots) break;  // the one past the limit ended a run before
      continue;
    }
    if (same_page && recorded_ > kMaxSaved) break;
    const std::optional<PictureSave> result = SaveOne(view, picture, folder, 0, fetch);
    if (!result) break;
    if (navigations_ != navigation) break;
    if (picture.by_type && *result != PictureSave::kUnavailable) {
      ++pictures_found;
      status[2].SetCaption("发现图片：" + std::to_string(pictures_found));
    }
    if (*result == PictureSave::kWritten) ++saved_count_;
    ShowSaveProgress(saved_count_);
    p.loop.DoEvents();
    if (close_requested_ || navigations_ != navigation) break;
  }
  saving_ = s.running = false;
  if (close_requested_) {
    AfterStoppedSave();
    return;
  }
  status[8].SetCaption("  自动下载图片 " + std::to_string(saved_count_));
  if (pictures_found > 0) status[2].SetCaption("发现图片：" + std::to_string(pictures_found));
  status[8].SetWidth(kCounterWidth);
}

std::vector<std::string> FormWeb::AddressesToFetch(const std::vector<PagePicture>& pictures) const {
  // What this run will try and the page has not loaded, in the order it tries them.
  std::vector<std::string> addresses;
  for (const PagePicture& picture : pictures) {
    if (static_cast<int32_t>(addresses.size()) + recorded_ >= kMaxSaved) break;
    if (picture.loaded || AddressTried(picture.address)) continue;
    if (std::find(addresses.begin(), addresses.end(), picture.address) != addresses.end()) continue;
    addresses.push_back(picture.address);
  }
  return addresses;
}

void FormWeb::SavePictureForSize(const std::string& path) {
  if (saving_ || state_.picture_saving.running) return;
  PictureSaving& s = state_.picture_saving;
  const std::string folder = SaveFolder(path);
  if (s.refused_folder == folder) return;
  // The window's close waits for this run as for the other one.
  s.running = saving_ = true;
  int32_t k = 0;
  SetBusyPointer(true);
  Platform& p = Services();
  s.saved.Use(p.fs, folder);
  HtmlView& view = *Web->View();
  const std::vector<HtmlElement> elements = view.All();
  const uint64_t navigation = navigations_;
  for (size_t i = 0; i < elements.size(); ++i) {
    const HtmlElement& e = elements[i];
    if (e.tag_name != "IMG" || !IsPictureAddress(e.src)) continue;
    // Every picture as it is, whatever its size: the file's length decides.
    const PagePicture picture =
        PictureShownBy(e, static_cast<int>(i), IsPictureAddress(e.shown_src) ? e.shown_src : e.src);
    const std::optional<PictureSave> result = SaveOne(view, picture, folder, kKeptLength, false);
    if (!result) break;
    p.loop.DoEvents();
    if (close_requested_ || navigations_ != navigation) break;
    if (*result == PictureSave::kWritten) {
      ++saved_count_;
      k = (k + 1) % 24;
      ShowSaveProgress(k);
    }
  }
  saving_ = s.running = false;
  SetBusyPointer(false);
  if (close_requested_) {
    AfterStoppedSave();
    return;
  }
  status[8].SetCaption("  下载图片 " + std::to_string(saved_count_));
  status[8].SetWidth(kCounterWidth);
}

void FormWeb::AfterStoppedSave() {
  // The window was closed during the run. repeat_timer unloads it at its next tick; a frame
  // that has closed meanwhile cannot wait for that.
  if (frame_.IsUnloaded()) {
    app_.Unload(*this);
  } else {
    repeat_timer->SetTimerEnabled(true);
  }
}

void FormWeb::BeforeDownload() {
  ++navigations_;
  // A folder that took no file is tried again on the next page: space may have been freed.
  state_.picture_saving.refused_folder.clear();
  recorded_ = 0;
  saved_count_ = 0;
  timer3_ticks_ = 0;
  status[2].SetCaption("0");
  status[8].SetCaption("  自动下载图片 0");
  status[8].SetBackColor(kWhite);
  status[8].SetForeColor(kBlack);
  status[8].SetWidth(kCounterWidth);
  // Every navigation is followed by six repeat_timer ticks.
  repeat_timer->SetTimerEnabled(true);
}

void FormWeb::SaveLargePictures() {
  BeforeDownload();
  // Asked for by hand: a folder that refused a file earlier is said again.
  state_.picture_saving.told_refused.clear();
  repeat_timer->SetTimerEnabled(false);
  const std::string folder = state_.picture_saving.download_folder;
  // Asked for by hand: the larger versions the page names are fetched too.
  SavePictureDisk(folder, true);
  if (close_requested_) return;
  // Few large pictures: every picture of the page, keeping the big files.
  if (pictures_found < 2) SavePictureForSize(folder);
}

void FormWeb::ScreenSaveAs() {
  const std::string file =
      SaveFileDialog(app_, this, kPageShotTitle, ScreenshotName(frame_.Caption()), kFilterPictures);
  if (file.empty()) return;
  SetBusyPointer(true);
  Services().loop.DoEvents();
  // The view this window shows, whichever window was activated last.
  HtmlView& view = *(frame_.pictures_switch->Value() != 0 ? Gallery() : *Web).View();
  const std::string problem = SavePageShot(view, file);
  if (!problem.empty()) {
    Services().dialogs.MsgBox(this, problem, MsgIcon::Exclamation, kPageShotTitle);
  }
  SetBusyPointer(false);
  Beep();
}

}  // namespace tv
