// SPDX-License-Identifier: GPL-3.0-or-later
// What the logic uses of an embedded HTML view and its document. The desktop front-end
// implements it on WebKitGTK; the headless front-end on a small page model.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/jpeg.h"
#include "platform/picture.h"

namespace tv {

// ExecWB command numbers and options.
enum ExecWbCommand {
  kCmdSaveAs = 4,
  kCmdPrint = 6,
  kCmdPrintPreview = 7,
  kCmdPageSetup = 8,
  kCmdProperties = 10,
  kCmdCut = 11,
  kCmdCopy = 12,
  kCmdPaste = 13,
  kCmdSelectAll = 17,
};
enum ExecWbOption { kOptDefault = 0, kOptPromptUser = 1, kOptDontPrompt = 2 };

// One element of the document, as read in a single scan.
struct HtmlElement {
  std::string tag_name;  // upper case, as the document object model names it
  std::string src;       // absolute address
  std::string href;      // absolute address
  std::string target;    // a link's target window ("_blank")
  std::string title;     // the title attribute (a picture's tooltip)
  int width = 0;         // displayed size in pixels
  int height = 0;
};

// CommandStateChange command ids.
enum { kCsteNavigateForward = 1, kCsteNavigateBack = 2 };

class HtmlView;

struct HtmlViewEvents {
  std::function<void(const std::string& text)> StatusTextChange;
  std::function<void(long progress, long progress_max)> ProgressChange;
  std::function<void(long command, bool enable)> CommandStateChange;
  std::function<void()> DownloadBegin;
  std::function<void()> DownloadComplete;
  std::function<void(const std::string& title)> TitleChange;
  std::function<void()> PropertyChange;
  std::function<void(const std::string& url, bool& cancel)> BeforeNavigate2;
  // Set `view` to hand back a view for the new window, or `cancel` to refuse it.
  std::function<void(HtmlView*& view, bool& cancel)> NewWindow2;
  std::function<void(const std::string& url)> NavigateComplete2;
  std::function<void(const std::string& url)> DocumentComplete;
  // The engine process that showed the page ended unasked; the view shows nothing.
  std::function<void()> ProcessEnded;
};

class HtmlView {
 public:
  virtual ~HtmlView() = default;

  // A web address, a local file path or an "about:" text (shown as a one-line page).
  virtual void Navigate(const std::string& address) = 0;
  virtual std::string LocationURL() = 0;
  // The address of the document shown now. While the next page is being asked for,
  // LocationURL already names it; this one still names the page whose title is shown.
  virtual std::string DocumentURL() { return LocationURL(); }
  virtual void Refresh() = 0;
  virtual void Stop() = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual void ExecWB(int command, int option) = 0;
  // Whether ExecWB can carry the command out here (a print preview needs a program that
  // shows it).
  virtual bool QueryStatusWB(int command) = 0;
  virtual void SetOffline(bool offline) = 0;
  virtual void SetSilent(bool silent) = 0;
  virtual void SetRegisterAsBrowser(bool v) = 0;
  // A view of the program's own generated pages (every view, unless told otherwise) runs
  // none of the page's scripts and lets the page read no file through file: addresses;
  // the program's own scripts still run. A view for web pages turns it off. Takes effect
  // at the next load.
  virtual void SetGeneratedPages(bool generated) = 0;
  // The widest the next page shows each of its local pictures (path, pixels; 0: at the
  // picture's own size), so the view may hand the engine pictures no larger than that.
  // The page itself and what its document reports stay as written. A local picture whose
  // address carries the query reduced::kWholePictureQuery always comes at its own size.
  virtual void SetPictureWidths(const std::vector<std::pair<std::string, int>>& widths) {
    (void)widths;
  }
  virtual bool Busy() = 0;
  // Shows `text` as a one-line page in place of the document while keeping its address,
  // so Refresh opens the page again.
  virtual void ShowMessage(const std::string& text) { (void)text; }
  // Page edit mode: the document can be typed into.
  virtual void SetEditable(bool) {}
  // The find bar: highlights the next (or previous) match of `text`; an empty text or
  // FindFinish clears the highlight.
  virtual void FindText(const std::string&, bool /*backwards*/) {}
  virtual void FindFinish() {}

  // Document members; each fails quietly (empty, false) when no document is loaded.
  virtual bool HasDocument() = 0;
  virtual std::string Title() = 0;
  // document.parentWindow.scrollBy(x, y)
  virtual bool ScrollBy(int x, int y) = 0;
  // document.parentWindow.execScript(code, language)
  virtual bool ExecScript(const std::string& code, const std::string& language) = 0;
  // Every element of document.all in document order, read in one scan.
  virtual std::vector<HtmlElement> All() = 0;
  // href of document.activeElement (the link that asked for a new window).
  virtual std::string ActiveElementHref() = 0;
  virtual int ScrollWidth() = 0;   // body.scrollWidth
  virtual int ScrollHeight() = 0;  // body.scrollHeight
  virtual int ScrollTop() = 0;     // the window's vertical scroll position
  // body.scroll = "no" / "yes"
  virtual void SetBodyScroll(bool scroll_bars) = 0;
  virtual std::string DocumentHtml() = 0;
  // The source of what the user selected in the page ("" when nothing is selected).
  virtual std::string SelectionHtml() { return ""; }
  // Saves the page as it is shown, with what it shows, into one file at `path`; no
  // request is made. False when it could not be saved.
  virtual bool SaveAs(const std::string& /*path*/) { return false; }
  // The address of the link under the mouse pointer at this moment, "" when there is none:
  // what a right-click selects.
  virtual std::string LinkUnderPointer() = 0;
  // Scripted runs: the pointer rests on a link with this address (the view reports it as
  // its status text) until the next page starts loading.
  virtual void RestPointerOn(const std::string& address) = 0;
  // Clicks the index-th link of the document (0-based) as a person would; false when
  // there is no such link.
  virtual bool ClickLink(int index) = 0;

  // What the view holds of picture element `index` of All(), never fetched again: the
  // bytes as they were received, or "" where it shows the picture but holds none of its
  // bytes. Nothing when the element is no picture or the page could not load and decode
  // it (missing, broken, a format the engine lacks, still loading).
  virtual std::optional<std::string> PictureBytes(int index) = 0;
  // The picture of element `index` as the page shows it: decoded from `bytes` (what
  // PictureBytes gave); where those cannot be decoded, the pixels shown. Nothing when
  // neither can be had, or when the picture has more than kMaxPicturePixels.
  virtual std::optional<Picture> CopyPicture(int index, std::string_view bytes) = 0;

  // Renders the whole document at width x height pixels and hands it out in bands.
  // Returns nothing when it cannot be rendered.
  virtual std::optional<BandSource> Snapshot(int width, int height) = 0;

  // The host's download-control value (pictures 0x10, videos 0x20, sounds 0x40, no page
  // scripts 0x80 ...). The program's own scripts keep running; a change takes effect at
  // the next load or reload.
  virtual void SetDownloadControl(uint32_t flags) { download_control_ = flags; }
  uint32_t DownloadControl() const { return download_control_; }

  HtmlViewEvents events;

 protected:
  uint32_t download_control_ = 0x70;
};

}  // namespace tv
