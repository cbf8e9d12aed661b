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
#include "platform/key_codes.h"
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
  // What a picture element (or a box with a background picture) names beyond what it
  // shows; empty or 0 where there is nothing of the kind.
  int natural_width = 0;  // the picture's own size, once loaded
  int natural_height = 0;
  bool loaded = false;     // the engine has loaded and decoded what it shows
  bool lazy = false;       // waits for the page's scrolling or scripts to load it
  std::string shown_src;   // the address it shows (a srcset candidate, say); else src
  std::string largest;     // the largest srcset or <picture> candidate, or a lazy address
  std::string link;        // the address of the link around the picture
  std::string background;  // a large box's CSS background picture
};

// What lies under the mouse pointer in the page: what a right-click acts on.
struct PointerTarget {
  std::string link;       // the address of the link, "" when none
  std::string picture;    // the address of the picture, "" when none
  bool selected = false;  // the pointer rests on the selected part of the page
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
  // The engine process has not answered for a long while (true) or answers again (false).
  std::function<void(bool hung)> ProcessHung;
  // The page asks to save an answer as a file (an attachment, a download link, a type the
  // view cannot show). Nothing is written until SaveDownload(id, ...) is called; without
  // a handler the download is dropped.
  std::function<void(int id, const std::string& address, const std::string& suggested_name)>
      PageDownload;
  // The user clicked a link with `button` (1 left, 4 middle) while holding `shift` (1 Shift,
  // 2 Ctrl, 4 Alt). Set `handled` and the view does not follow it.
  std::function<void(const std::string& address, int button, int shift, bool& handled)> LinkClick;
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
  // The page's zoom, 1 for its own size.
  virtual double ZoomLevel() { return zoom_level_; }
  virtual void SetZoomLevel(double level) { zoom_level_ = level; }

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
  // The link, picture and selection under the pointer at this moment.
  virtual PointerTarget PointerTargetNow() { return {LinkUnderPointer(), "", false}; }
  // Scripted runs: the pointer rests on a link with this address (the view reports it as
  // its status text) until the next page starts loading.
  virtual void RestPointerOn(const std::string& address) = 0;
  // Clicks the index-th link of the document (0-based) as a person would; false when
  // there is no such link.
  virtual bool ClickLink(int index) = 0;

  // The bytes the view received for the picture at `address`, or at any address that led
  // to it through redirects, never fetched again. Nothing while it is still loading, or when
  // the view holds none of it.
  virtual std::optional<std::string> HeldPicture(const std::string& address) = 0;
  // Starts fetching pictures the page names but has not loaded, in this order and a few at
  // a time, through the page's own session (its cookies, the page as referrer); web
  // addresses only, and none the view holds. A new page drops what was not taken.
  virtual void FetchPictures(const std::vector<std::string>& addresses) { (void)addresses; }
  // What a fetch of `address` brought, waiting for it: the bytes of a picture; nothing when
  // it failed, answered with no picture, or was never asked for. Taken once.
  virtual std::optional<std::string> FetchedPicture(const std::string& address) {
    (void)address;
    return std::nullopt;
  }
  // What the view shows of picture element `index` of All(), brought into view: for a
  // format no decoder reads. Nothing when it shows none of it.
  virtual std::optional<Picture> ShownPicture(int index) = 0;

  // Renders the whole document at width x height pixels and hands it out in bands.
  // Returns nothing when it cannot be rendered.
  virtual std::optional<BandSource> Snapshot(int width, int height) = 0;

  // The host's download-control value (pictures 0x10, videos 0x20, sounds 0x40, no page
  // scripts 0x80 ...). The program's own scripts keep running; a change takes effect at
  // the next load or reload.
  virtual void SetDownloadControl(uint32_t flags) { download_control_ = flags; }
  uint32_t DownloadControl() const { return download_control_; }

  // The page's download `id` (see PageDownload) is written into the file `path`, never
  // over a file that is there; DropDownload forgets it. Each is answered once.
  virtual void SaveDownload(int id, const std::string& path) {
    (void)id;
    (void)path;
  }
  virtual void DropDownload(int id) { (void)id; }
  // Ends the engine process that shows the page (a hung page); the view can load again.
  virtual void EndProcess() {}
  // While NewWindow2 is handled: whether a click or key of the user asked for the window.
  virtual bool NewWindowByUser() { return true; }

  HtmlViewEvents events;

 protected:
  uint32_t download_control_ = 0x70;
  double zoom_level_ = 1.0;
};

// The Up and Down keys on a window's focus holder scroll its view a step.
inline void ScrollForArrowKey(HtmlView& view, int key_code) {
  if (key_code == kKeyUp) view.ScrollBy(0, -100);
  if (key_code == kKeyDown) view.ScrollBy(0, 100);
}

}  // namespace tv
