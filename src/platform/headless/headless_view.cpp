// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_view.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "platform/control.h"
#include "platform/file_system.h"
#include "platform/front_end.h"
#include "platform/headless/headless_loop.h"
#include "platform/posix/iconv_text_encoding.h"
#include "text/page_text.h"
#include "text/text_util.h"

namespace tv {

namespace {

// A page labelled gb2312 is read as the engines read it, as GB18030; others are UTF-8.
std::string DecodedPage(const std::string& bytes) {
  std::string head = bytes.substr(0, 1024);
  for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (head.find("charset=gb2312") == std::string::npos) return bytes;
  return IconvTextEncoding().ToUtf8(bytes, "GB18030");
}

// "#RRGGBB" -> red, green, blue; white when unreadable.
void ParseColour(const std::string& text, uint8_t rgb[3]) {
  rgb[0] = rgb[1] = rgb[2] = 255;
  std::string t = text.size() == 7 && text[0] == '#' ? text.substr(1) : "";
  if (t.size() != 6 || t.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return;
  for (int i = 0; i < 3; ++i)
    rgb[i] = static_cast<uint8_t>(std::stoi(t.substr(2 * i, 2), nullptr, 16));
}

}  // namespace

HeadlessView::HeadlessView(Control& control, HeadlessLoop& loop, FileSystem& fs, ScriptHooks& hooks)
    : control_(control), loop_(loop), fs_(fs), hooks_(hooks) {}

HeadlessView::~HeadlessView() {
  *alive_ = false;
}

int HeadlessView::ViewWidth() const {
  return std::max(control_.Width() / 15, 0);
}
int HeadlessView::ViewHeight() const {
  return std::max(control_.Height() / 15, 0);
}

void HeadlessView::Navigate(const std::string& address) {
  Load(address, true);
}

void HeadlessView::Load(const std::string& address, bool add_history) {
  std::string url = !address.empty() && address[0] == '/' ? FileUrl(address) : address;
  bool cancel = false;
  if (events.BeforeNavigate2) events.BeforeNavigate2(url, cancel);
  if (cancel) return;
  if (add_history) {
    history_.resize(static_cast<size_t>(history_index_ + 1));
    history_.push_back(url);
    history_index_ = static_cast<int>(history_.size()) - 1;
  }
  pending_ = url;
  loading_ = true;
  pointer_link_.clear();  // the new page is laid out under a pointer that rests on nothing yet
  const unsigned generation = ++generation_;
  std::weak_ptr<bool> alive = alive_;
  loop_.PostTask([this, alive, generation] {
    if (auto a = alive.lock(); a && *a) Finish(generation);
  });
}

void HeadlessView::Finish(unsigned generation) {
  if (generation != generation_) return;  // a later navigation replaced this one
  const std::string url = pending_;
  if (url.rfind("about:", 0) == 0) {
    std::string text = url.substr(6);
    html_ = text == "blank" ? "" : "<body>" + HtmlEscape(text) + "</body>";
  } else if (url.rfind("file:", 0) == 0) {
    if (!fs_.ReadWhole(PathFromStatusText(url), html_)) html_.clear();
    html_ = DecodedPage(html_);
  } else {
    html_.clear();  // no network in headless runs
  }
  page_ = BuildPageModel(html_, ViewWidth(), fs_, url);
  location_ = url;
  loaded_ = true;
  scroll_top_ = scroll_left_ = 0;
  zoom_percent = 100;

  if (events.DownloadBegin) events.DownloadBegin();
  if (events.ProgressChange) events.ProgressChange(50, 100);
  if (events.NavigateComplete2) events.NavigateComplete2(url);
  if (events.TitleChange) events.TitleChange(page_.title.empty() ? url : page_.title);
  if (events.CommandStateChange) {
    events.CommandStateChange(kCsteNavigateBack, history_index_ > 0);
    events.CommandStateChange(kCsteNavigateForward,
                              history_index_ + 1 < static_cast<int>(history_.size()));
  }
  if (events.ProgressChange) events.ProgressChange(100, 100);
  // A handler may have asked for the next page already; that one is loading now.
  if (generation == generation_) loading_ = false;
  if (events.DownloadComplete) events.DownloadComplete();
  if (events.DocumentComplete) events.DocumentComplete(url);
}

void HeadlessView::RestPointerOn(const std::string& address) {
  pointer_link_ = address;
  if (events.StatusTextChange) events.StatusTextChange(address);
}

void HeadlessView::Refresh() {
  if (!location_.empty()) Load(location_, false);
}

void HeadlessView::Stop() {
  ++generation_;
  loading_ = false;
}

void HeadlessView::GoBack() {
  if (history_index_ <= 0) return;
  --history_index_;
  Load(history_[static_cast<size_t>(history_index_)], false);
}

void HeadlessView::GoForward() {
  if (history_index_ + 1 >= static_cast<int>(history_.size())) return;
  ++history_index_;
  Load(history_[static_cast<size_t>(history_index_)], false);
}

void HeadlessView::ExecWB(int command, int option) {
  hooks_.Report("view: ExecWB " + std::to_string(command) + " " + std::to_string(option));
}

void HeadlessView::SetEditable(bool editable) {
  hooks_.Report(std::string("view: editable ") + (editable ? "on" : "off"));
}

void HeadlessView::FindText(const std::string& text, bool backwards) {
  hooks_.Report(std::string("view: find ") + (backwards ? "back " : "") + text);
}

void HeadlessView::FindFinish() {
  hooks_.Report("view: find done");
}

int HeadlessView::ScrollWidth() {
  return std::max(page_.content_width, ViewWidth());
}
int HeadlessView::ScrollHeight() {
  return std::max(page_.content_height, ViewHeight());
}

void HeadlessView::ClampScroll() {
  scroll_top_ = std::clamp(scroll_top_, 0, std::max(ScrollHeight() - ViewHeight(), 0));
  scroll_left_ = std::clamp(scroll_left_, 0, std::max(ScrollWidth() - ViewWidth(), 0));
}

bool HeadlessView::SaveAs(const std::string& path) {
  if (!loaded_ || path.empty()) return false;
  hooks_.Report("view: save as " + path);
  return fs_.WriteAtomic(path, html_);
}

bool HeadlessView::ScrollBy(int x, int y) {
  if (!loaded_) return false;
  scroll_left_ += x;
  scroll_top_ += y;
  ClampScroll();
  return true;
}

bool HeadlessView::ExecScript(const std::string& code, const std::string&) {
  if (!loaded_) return false;
  const std::string zoom = "document.body.style.zoom='";
  if (code.rfind(zoom, 0) == 0)
    zoom_percent = RoundHalfEven(LeadingNumber(code.substr(zoom.size())));
  return true;
}

std::optional<BandSource> HeadlessView::Snapshot(int width, int height) {
  if (!loaded_ || width <= 0 || height <= 0) return std::nullopt;
  uint8_t rgb[3];
  ParseColour(page_.background, rgb);
  return BandSource([width, r = rgb[0], g = rgb[1], b = rgb[2]](int, int rows, uint8_t* out) {
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(rows);
    for (size_t i = 0; i < pixels; ++i) {
      out[3 * i] = r;
      out[3 * i + 1] = g;
      out[3 * i + 2] = b;
    }
    return true;
  });
}

std::optional<std::string> HeadlessView::HeldPicture(const std::string& address) {
  if (address.rfind("file:", 0) != 0) return std::nullopt;
  std::string bytes;
  if (!fs_.ReadWhole(PathFromStatusText(address), bytes)) return std::nullopt;
  return bytes;
}

std::optional<Picture> HeadlessView::ShownPicture(int index) {
  if (index < 0 || index >= static_cast<int>(page_.elements.size())) return std::nullopt;
  const auto bytes = HeldPicture(page_.elements[static_cast<size_t>(index)].src);
  return bytes ? DecodePicture(*bytes) : std::nullopt;
}

bool HeadlessView::ClickLink(int index) {
  const HtmlElement* link = nullptr;
  for (const HtmlElement& e : page_.elements) {
    if (e.tag_name == "A" && !e.href.empty() && index-- == 0) {
      link = &e;
      break;
    }
  }
  if (!link) return false;
  const std::string href = link->href;
  active_href_ = href;
  if (link->target != "_blank") {
    Navigate(href);
    return true;
  }
  HtmlView* view = nullptr;
  bool cancel = false;
  if (events.NewWindow2) events.NewWindow2(view, cancel);
  if (!cancel && view) view->Navigate(href);
  return true;
}

void HeadlessView::SaveDownload(int id, const std::string& path) {
  hooks_.Report("page download " + std::to_string(id) + " to " + path);
}

void HeadlessView::DropDownload(int id) {
  hooks_.Report("page download " + std::to_string(id) + " dropped");
}

void HeadlessView::EndProcess() {
  hooks_.Report("end process");
}

void HeadlessView::ShowMessage(const std::string& text) {
  hooks_.Report("shown: " + text);
}

}  // namespace tv
