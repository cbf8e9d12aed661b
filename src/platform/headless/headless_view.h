// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML view of headless runs: loads "about:" texts and local files into a page model
// and raises the view's events in order on the next turn of the loop. No network.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/html_view.h"
#include "platform/headless/page_model.h"

namespace tv {

class Control;
class FileSystem;
class HeadlessLoop;
struct ScriptHooks;

class HeadlessView : public HtmlView {
 public:
  HeadlessView(Control& control, HeadlessLoop& loop, FileSystem& fs, ScriptHooks& hooks);
  ~HeadlessView() override;

  void Navigate(const std::string& address) override;
  // As the engine has it: while the next page is asked for, its address is the view's and
  // the document shown (and its title) is still the last one's.
  std::string LocationURL() override { return loading_ ? pending_ : location_; }
  std::string DocumentURL() override { return location_; }
  void Refresh() override;
  void Stop() override;
  void GoBack() override;
  void GoForward() override;
  void ExecWB(int command, int option) override;
  bool QueryStatusWB(int) override { return true; }
  void SetOffline(bool offline) override { offline_ = offline; }
  void SetSilent(bool silent) override { silent_ = silent; }
  void SetRegisterAsBrowser(bool v) override { register_as_browser_ = v; }
  void SetGeneratedPages(bool generated) override { generated_pages = generated; }
  void SetPictureWidths(const std::vector<std::pair<std::string, int>>& widths) override {
    picture_widths = widths;
  }
  bool Busy() override { return loading_; }
  void SetEditable(bool editable) override;
  void FindText(const std::string& text, bool backwards) override;
  void FindFinish() override;

  bool HasDocument() override { return loaded_; }
  std::string Title() override { return page_.title; }
  bool ScrollBy(int x, int y) override;
  bool ExecScript(const std::string& code, const std::string& language) override;
  std::vector<HtmlElement> All() override { return page_.elements; }
  std::string ActiveElementHref() override { return active_href_; }
  std::string LinkUnderPointer() override { return pointer_link_; }
  void RestPointerOn(const std::string& address) override;
  int ScrollWidth() override;
  int ScrollHeight() override;
  int ScrollTop() override { return scroll_top_; }
  void SetBodyScroll(bool scroll_bars) override { scroll_bars_ = scroll_bars; }
  std::string DocumentHtml() override { return html_; }
  bool SaveAs(const std::string& path) override;
  std::optional<BandSource> Snapshot(int width, int height) override;
  // The picture file of a local page; nothing of the network.
  std::optional<std::string> HeldPicture(const std::string& address) override;
  // The picture file decoded at its natural size, as the page would show it whole.
  std::optional<Picture> ShownPicture(int index) override;

  // A link with a "_blank" target asks for a new window; others navigate this view.
  bool ClickLink(int index) override;
  // A page's download is only reported: "page download ID to PATH" or "... dropped"; so are
  // the end of the process and a message shown.
  void SaveDownload(int id, const std::string& path) override;
  void DropDownload(int id) override;
  void EndProcess() override;
  void ShowMessage(const std::string& text) override;
  // Scripted: whether the next new window comes from a click.
  bool NewWindowByUser() override { return new_window_by_user; }
  bool new_window_by_user = true;

  int zoom_percent = 100;                                   // the last zoom a script set
  bool generated_pages = true;                              // the page's own scripts would not run
  std::vector<std::pair<std::string, int>> picture_widths;  // as the last page was told

 private:
  void Load(const std::string& address, bool add_history);
  void Finish(unsigned generation);
  int ViewWidth() const;
  int ViewHeight() const;
  void ClampScroll();

  Control& control_;
  HeadlessLoop& loop_;
  FileSystem& fs_;
  ScriptHooks& hooks_;
  std::string location_;
  std::string pending_;
  std::string html_;
  PageModel page_;
  bool loaded_ = false;
  bool loading_ = false;
  bool offline_ = false, silent_ = false, register_as_browser_ = false;
  bool scroll_bars_ = true;
  int scroll_top_ = 0, scroll_left_ = 0;
  std::string active_href_;
  std::string pointer_link_;  // the link a scripted pointer rests on, until the next load
  std::vector<std::string> history_;
  int history_index_ = -1;
  unsigned generation_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tv
