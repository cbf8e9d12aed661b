// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML view on WebKitGTK: navigation and events in webkit_view.cpp, document members
// in webkit_document.cpp, whole-page pictures in webkit_snapshot.cpp, printing in
// webkit_print.cpp, the watch on each web process in webkit_watch.cpp.
#pragma once

#include <webkit2/webkit2.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/html_view.h"
#include "platform/front_end.h"
#include "platform/gtk/pending_load.h"
#include "platform/paths.h"

namespace tv {

class WebKitHtmlView : public HtmlView {
 public:
  // `paths` gives the folder of the print preview (without it the temporary folder); a
  // view related to `related` shares its web process but keeps settings of its own.
  // A view shown in place of `companion` shares its web process and counts with it.
  // Otherwise a view of the window kind `kind` shares a web process with a few earlier
  // views of that kind, so one ended process takes only those down.
  explicit WebKitHtmlView(ScriptHooks& script, Paths* paths = nullptr,
                          WebKitHtmlView* related = nullptr, const std::string& kind = "",
                          WebKitHtmlView* companion = nullptr);
  ~WebKitHtmlView() override;
  WebKitHtmlView(const WebKitHtmlView&) = delete;
  WebKitHtmlView& operator=(const WebKitHtmlView&) = delete;

  GtkWidget* Widget() const { return GTK_WIDGET(view_); }
  // What the view shows of its page now, rendered by the engine; null when nothing is
  // shown. The caller destroys it.
  cairo_surface_t* VisibleImage();

  void Navigate(const std::string& address) override;
  std::string LocationURL() override;
  std::string DocumentURL() override;
  void Refresh() override;
  void Stop() override;
  double ZoomLevel() override { return webkit_web_view_get_zoom_level(view_); }
  void SetZoomLevel(double level) override { webkit_web_view_set_zoom_level(view_, level); }
  void GoBack() override;
  void GoForward() override;
  void ExecWB(int command, int option) override;
  bool QueryStatusWB(int command) override;
  void SetOffline(bool offline) override { offline_ = offline; }
  void SetSilent(bool silent) override { silent_ = silent; }
  void SetRegisterAsBrowser(bool v) override { register_as_browser_ = v; }
  void SetGeneratedPages(bool generated) override;
  void SetPictureWidths(const std::vector<std::pair<std::string, int>>& widths) override;
  bool Busy() override;
  void ShowMessage(const std::string& text) override;
  void SetEditable(bool editable) override;                         // webkit_document.cpp
  void FindText(const std::string& text, bool backwards) override;  // webkit_document.cpp
  void FindFinish() override;                                       // webkit_document.cpp

  bool HasDocument() override;
  std::string Title() override;
  bool ScrollBy(int x, int y) override;
  bool ExecScript(const std::string& code, const std::string& language) override;
  std::vector<HtmlElement> All() override;
  std::string ActiveElementHref() override;
  std::string LinkUnderPointer() override;
  PointerTarget PointerTargetNow() override;
  void RestPointerOn(const std::string& address) override;
  int ScrollWidth() override;
  int ScrollHeight() override;
  int ScrollTop() override;
  void SetBodyScroll(bool scroll_bars) override;
  std::string DocumentHtml() override;
  std::string SelectionHtml() override;  // webkit_saving.cpp
  bool SaveAs(const std::string& path) override;
  bool ClickLink(int index) override;
  std::optional<BandSource> Snapshot(int width, int height) override;
  std::optional<std::string> HeldPicture(
      const std::string& address) override;  // webkit_pictures.cpp
  std::optional<Picture> ShownPicture(int index) override;
  void FetchPictures(const std::vector<std::string>& addresses) override;  // webkit_fetch.cpp
  std::optional<std::string> FetchedPicture(const std::string& address) override;
  void SetDownloadControl(uint32_t flags) override;
  void SaveDownload(int id, const std::string& path) override;  // webkit_downloads.cpp
  void DropDownload(int id) override;                           // webkit_downloads.cpp
  void EndProcess() override;
  bool NewWindowByUser() override { return new_window_by_user_; }

  // The view of an engine view made here; null for any other.
  static WebKitHtmlView* OfView(WebKitWebView* view);

  // The view whose page is asking for a new window right now, if any; the first view
  // made while it asks is related to it (and takes it).
  static WebKitHtmlView* TakeOpener();

  // Signal entry points.
  void OnStatus(const std::string& text);
  void OnProgress();
  void OnHistoryChanged();
  void OnLoadChanged(WebKitLoadEvent event);
  void OnLoadFailed(bool cancelled);
  bool OnNavigation(const std::string& uri);  // true: cancelled
  // A link clicked with a mouse button; true when the logic took it.
  bool OnLinkClick(const std::string& uri, int button, int shift);
  void OnRefused();  // a navigation was cancelled before loading
  // A page asks for a new window: the view to show it in, or null to refuse it.
  GtkWidget* OnCreate(const std::string& uri, bool by_user);
  void OnReadyToShow();
  void OnTitle();
  void OnResourceStarted(WebKitWebResource* resource);
  void OnResourceRequest(WebKitWebResource* resource, WebKitURIRequest* request);
  void OnResourceDone(WebKitWebResource* resource);
  void OnProcessEnded();
  bool Ending() const { return ending_; }
  // A page's download waits for the logic: PageDownload, then SaveDownload or DropDownload.
  void OnPageDownload(WebKitDownload* download, const std::string& suggested_name);
  void OnPageDownloadFailed(WebKitDownload* download);

  // Views sharing one web process: the first made and those related to one of them.
  // The program asks the process a trivial script every two seconds (webkit_watch.cpp):
  // the engine itself notices silence only while the user clicks or types.
  struct ProcessGroup {
    std::string kind;                    // the window kind whose views it takes
    std::vector<WebKitHtmlView*> views;  // live views in it, oldest first
    size_t counted = 0;                  // views in it that are no one's companion
    uint64_t serial = 0;                 // names the group to a late answer
    uint64_t question = 0;               // the question asked last
    int64_t asked_ms = 0;                // when the unanswered question was asked; 0: none
    int64_t answered_ms = 0;             // when the last one was answered
    bool hung = false;                   // its views were told it does not answer
    // False while a question has gone unanswered for a few seconds, or the engine says
    // the process does not answer: such a process takes no new view and no script.
    bool Answers() const;
  };
  static std::vector<std::unique_ptr<ProcessGroup>>& Groups();  // every group with a view
  // Starts watching the groups' processes while any group lives.
  static void WatchProcesses();
  // A view made here whose process answers; true for any other view.
  static bool ProcessAnswers(WebKitWebView* view);

 private:
  // The address as the logic knows it: an "about:" text instead of the blank page it is.
  std::string Shown(const char* uri) const;
  int ScriptInt(const std::string& code);
  // Where the pointer is in the view, in its pixels; false when it is elsewhere.
  bool PointerInView(int& x, int& y);
  void Print(int option);
  void PageSetup();
  bool CanPreview();
  void PrintPreview();
  // The PDF file a print preview is written to, beside the generated pages.
  std::string PreviewFile() const;

  ScriptHooks& script_;  // a scripted run reports print commands instead of printing
  Paths* paths_;         // where the print preview is written; may be null
  WebKitWebView* view_ = nullptr;
  WebKitBackForwardList* history_ = nullptr;
  std::string about_text_;                       // "about:TEXT" being shown, else ""
  std::string document_uri_;                     // the address of the page last committed
  std::string status_;                           // last status text reported
  std::string new_window_href_;                  // the link asking for a new window, while it asks
  static WebKitHtmlView* opener_;                // the view handling a new-window request
  std::optional<std::string> scripted_pointer_;  // a scripted run's pointer, until the next load
  // What the view loaded for its page, so pictures are taken from its bytes, not fetched;
  // with every address that led to it, as the page names them.
  struct HeldResource {
    WebKitWebResource* resource;
    std::vector<std::string> addresses;
    bool done = false;  // loaded or failed
  };
  std::vector<HeldResource> resources_;
  uint64_t pages_shown_ = 0;  // pages whose resources were dropped: a wait sees its page go
  void DropResources();
  WebKitWebResource* ResourceOf(const std::string& address);
  // Pictures the page loads for the program (webkit_fetch.cpp), a few at a time.
  std::deque<std::string> fetch_queue_;  // asked for, not started
  std::vector<std::string> fetching_;    // started, until taken
  void StartFetch(const std::string& address);
  void StartFetches();
  void DropFetches();
  // Waits until the resource of `address` has loaded or failed; null when none came.
  WebKitWebResource* AwaitResource(const std::string& address, int timeout_ms);
  // The bytes of a finished resource; a redirected one is read again by its final address.
  std::optional<std::string> BytesOf(WebKitWebResource* resource, const std::string& address);
  ProcessGroup* group_ = nullptr;  // the views this one shares its web process with
  bool counted_ = true;            // false for a companion, which counts with its view
  bool in_new_window_ = false;
  bool new_window_by_user_ = true;                 // a click or key asked for the window being made
  bool ending_ = false;                            // the user ends this view's process
  std::map<int, WebKitDownload*> page_downloads_;  // waiting for the logic's answer
  static int next_download_;
  PendingLoad load_;  // the load asked for last, until it has finished
  bool offline_ = false;
  bool silent_ = false;
  bool register_as_browser_ = false;
};

// The widget of a view made by the desktop front-end; null for any other view.
GtkWidget* WebViewWidget(HtmlView* view);

}  // namespace tv
