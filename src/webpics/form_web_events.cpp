// SPDX-License-Identifier: GPL-3.0-or-later
// The page window's reactions to its view, its timers, its keys and its closing.
#include <cstdio>
#include <utility>

#include "download/form_download.h"
#include "frame/external_addresses.h"
#include "frame/form_explore.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "text/utf8.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

// The shortest text of a single-precision number, as the system prints one.
std::string SingleText(float value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(value));
  return buf;
}

bool FromImageSearch(const std::string& address) {
  return address.rfind(kImageSearchRoot1, 0) == 0 || address.rfind(kImageSearchRoot2, 0) == 0;
}

constexpr size_t kTitleLength = 100;

}  // namespace

void FormWeb::Web_StatusTextChange(const std::string& text) {
  status[0].SetCaption(text);
}

void FormWeb::Web_ProgressChange(long progress, long progress_max) {
  std::string text;
  if (progress == -1) text = "100%";
  if (progress >= 1 && progress_max >= 1) {
    load_percent_ = static_cast<float>(static_cast<double>(progress) * 100.0 / progress_max);
  }
  if (load_percent_ > 100) load_percent_ = 0;
  if (load_percent_ > 0) text = SingleText(load_percent_) + " %";
  status[4].SetCaption(text);
  if (load_percent_ == 100 && b_.Download != 0) {
    repeat_timer->SetTimerEnabled(true);
    SavePictureDisk(DownloadFolder());
  }
}

void FormWeb::Web_CommandStateChange(long command, bool enable) {
  if (!IsCurrentTab()) return;
  if (command == 2) back_enabled_ = enable;
  if (command == 1) forward_enabled_ = enable;
  ShowHistoryButtons();
}

void FormWeb::Web_DocumentComplete() {
  finish_watch_timer->SetTimerEnabled(true);
  // A page without a title (an error page among them) may never say its title: its
  // tab names it by its address.
  HtmlView& view = *Web->View();
  if (view.Title().empty() && !view.LocationURL().empty()) ShowTabLabel(view.LocationURL());
}

void FormWeb::ShowTabLabel(const std::string& title) {
  Control* label = frame_.tab_labels.Find(tab_index);
  if (!label) return;
  if (title != "about:blank") {
    label->SetText(title);
    label->SetToolTipText(title);
  } else {
    label->SetText(kBlankTabText);
    label->SetToolTipText(kBlankTabTip);
  }
}

void FormWeb::Web_BeforeNavigate2() {
  BeforeDownload();
  // The page allowed its scripts once has been left: typed, followed or back/forward.
  if (scripts_until_ != 0 && navigations_ > scripts_until_) {
    scripts_until_ = 0;
    if (b_.Pop != 0 && host) host->BlockScriptsFromNextLoad();
  }
}

void FormWeb::Web_TitleChange() {
  HtmlView& view = *Web->View();
  const std::string location = view.LocationURL();
  std::string title = CharLeft(view.Title(), kTitleLength);
  if (title.empty()) title = location;
  // A view made for a new window reports its empty title before it has a page.
  if (title.empty()) return;
  ShowTabLabel(title);
  SetCaption(title);

  // The title belongs to the document shown, whose address may already have given way
  // to the next page's.
  AddHistoryRow(view.Title(), view.DocumentURL());

  if (!IsCurrentTab()) return;
  page_title = title;
  frame_.SetCaption(title + kCaptionSuffix);
  frame_.address_box->SetText(PlainNavigationAddress(location));
}

void FormWeb::Web_NewWindow2(HtmlView*& view, bool& cancel) {
  // A page opening windows in a loop is stopped long before the tabs fill the memory.
  const bool unasked = !Web->View()->NewWindowByUser();
  if (unasked && *unasked_windows_ >= kUnaskedWindowLimit) {
    cancel = true;
    status[0].SetCaption("此网页已自动打开 " + std::to_string(kUnaskedWindowLimit) +
                         " 个窗口，不再为它打开新窗口");
    return;
  }
  const bool image_search = FromImageSearch(Web->View()->LocationURL());
  if (image_search) b_.Pop = 0;
  if (!frame_.AddLab()) {
    cancel = true;
    if (image_search) b_.Pop = 1;
    return;
  }
  const int16_t slot = b_.TabOrder[b_.CurTab];
  FormWeb& page = frame_.NewPage();
  b_.Webs[slot] = &page;
  if (b_.Topme != 1) {
    page.BringToFront();
  } else {
    page.SendToBack();
    --b_.CurTab;
    frame_.LayOutTabs();
  }
  page.Move(0, 0, frame_.FrameWidth(), frame_.FrameHeight());
  page.tab_index = slot;
  page.Web->View()->SetRegisterAsBrowser(true);
  if (unasked) {
    ++*unasked_windows_;
    page.unasked_windows_ = unasked_windows_;  // what it opens unasked counts here too
  }
  view = page.Web->View();
  if (image_search) b_.Pop = 1;
}

void FormWeb::Web_ProcessHung(bool hung) {
  // Only this tab waits; the user may end its page here.
  for (Control* c : {hung_notice, stop_button}) c->SetVisible(hung && !stopped_);
}

void FormWeb::StopHungPage() {
  stopped_ = true;
  Web_ProcessHung(false);
  Web->View()->EndProcess();
}

void FormWeb::Web_ProcessEnded() {
  // Only this tab lost its page; 刷新 opens it again.
  Web_ProcessHung(false);
  Web->View()->ShowMessage(stopped_ ? kProcessStoppedText : kProcessEndedText);
  stopped_ = false;
}

void FormWeb::HostFocused() {
  frame_.FocusBounced = false;
}

void FormWeb::WatchFinishedPage() {
  if (!Web->View()->LocationURL().empty()) {
    if (!timer2_stopped_) {
      timer2_stopped_ = true;
      finish_watch_timer->SetTimerEnabled(false);
    }
    return;
  }
  if (IsCurrentTab()) frame_.address_box->SetText("");
  // The current tab stays one of the open tabs.
  if (b_.Topme != 0 && b_.CurTab + 1 < b_.TabCount) ++b_.CurTab;
}

void FormWeb::RepeatAfterNavigation() {
  repeat_timer->SetInterval(3000);
  if (++timer3_ticks_ > 5) repeat_timer->SetTimerEnabled(false);
  if (b_.Download != 0) {
    SavePictureDisk(DownloadFolder());
  } else {
    count_only = true;
    SearchPic();
  }
  if (close_requested_) app_.Unload(*this);
}

void FormWeb::ScrollByArrowKey(int key_code) {
  HtmlView* view = state_.active_view;
  if (!view) return;
  ScrollForArrowKey(*view, key_code);
}

void FormWeb::CopyBlockedAddress() {
  const int i = blocked_list->ListIndex();
  if (i < 0 || i >= static_cast<int>(blocked_list->List().size())) return;
  Services().clipboard.SetText(blocked_list->List()[static_cast<size_t>(i)]);
}

void FormWeb::OpenBlockedAddress() {
  const int i = blocked_list->ListIndex();
  if (i < 0 || i >= static_cast<int>(blocked_list->List().size())) return;
  Services().shell.Open(blocked_list->List()[static_cast<size_t>(i)]);
}

void FormWeb::CloseBlockedPanel() {
  for (Control* c : {blocked_panel, blocked_caption, blocked_list, blocked_close_button})
    c->SetVisible(false);
  blocked_list->ClearList();
}

bool FormWeb::Form_QueryUnload() {
  if (saving_) {
    // The save stops after the picture in progress; repeat_timer unloads the window then.
    close_requested_ = true;
    Hide();
    return true;
  }
  const std::string location = Web->View()->LocationURL();
  if (CharCount(location) < 100) {
    if (b_.ClosedTop < INT16_MAX) ++b_.ClosedTop;
    if (b_.ClosedTop >= 0 && b_.ClosedTop < kTabSlots) b_.ClosedUrls[b_.ClosedTop] = location;
    if (!frame_.Closing())
      frame_.address_box->AddItem(CharLeft(Caption(), 40) + "  -  " + location);
  }
  WriteHistory();
  Platform& p = Services();
  const std::string gallery_page = p.paths.PageFile(kWebGalleryPage);
  p.fs.SetAttributes(gallery_page, 0);
  p.fs.Delete(gallery_page);
  return false;
}

void FormWeb::Form_Unload() {
  // A download of this page still waiting in its dialog goes with the page.
  if (FormDownload* dialog = std::exchange(download_dialog_, nullptr)) {
    dialog->ForgetPageDownload();
    app_.Unload(*dialog);
  }
  frame_.Forget(*this);
  if (ShowsView(state_.active_view)) state_.active_view = nullptr;
  if (state_.active_window == this) state_.active_window = nullptr;
}

}  // namespace tv
