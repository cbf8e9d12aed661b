// SPDX-License-Identifier: GPL-3.0-or-later
// FormWeb: one page of the browser, a window inside the frame that shows one web page in
// `Web` and, on demand, a gallery of its large pictures in `WebPic`.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/web_browser.h"
#include "platform/form.h"
#include "program/page_backgrounds.h"
#include "webpics/history_log.h"
#include "webpics/picture_saver.h"

namespace tv {

class Application;
class FormDownload;
class FormExplore;
struct BrowserState;
struct ProgramState;

inline constexpr const char* kWebGalleryPage = "C:\\Baidu.htm";
// What a tab shows when the engine process showing its page ended.
inline constexpr const char* kProcessEndedText = "此网页的显示进程意外结束，请按刷新重新打开。";
// What a tab shows once the user stopped its hung page.
inline constexpr const char* kProcessStoppedText = "此网页已停止，请按刷新重新打开。";
// Windows a page (with the pages it opened so) may open without a click of the user.
inline constexpr int kUnaskedWindowLimit = 100;

class FormWeb : public Form {
 public:
  FormWeb(Application& app, FormExplore& frame);
  ~FormWeb() override;

  // Window events.
  void Form_Load() override;
  void Form_Resize() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;

  // Place in the frame (twips); a left edge of 40000 keeps the window out of sight.
  void Move(int left, int top, int width, int height);
  int Left() const { return left_; }
  // Stacking inside the frame: the window in front is the one shown.
  void BringToFront();
  void SendToBack();

  // Procedures the frame calls.
  void SetActivate();
  void ShowHistoryButtons();
  void ApplyPageSwitches();
  // The reload that follows runs the page's scripts; the navigation after it blocks them
  // again while blocking is on.
  void AllowScriptsOnce();
  // Picture scan and web gallery.
  void SearchPic();
  void LoadPic();
  void NextLayout();
  void CycleWidthMode();
  // Picture saving, automatic download and page screenshots.
  // `fetch`: larger versions the page names but has not loaded are fetched too.
  void SavePictureDisk(const std::string& folder, bool fetch = false);
  void SavePictureForSize(const std::string& folder);
  void BeforeDownload();
  void SaveLargePictures();
  void ScreenSaveAs();

  // Events of the page view.
  void Web_StatusTextChange(const std::string& text);
  void Web_ProgressChange(long progress, long progress_max);
  void Web_CommandStateChange(long command, bool enable);
  void Web_DocumentComplete();
  void Web_BeforeNavigate2();
  void Web_TitleChange();
  void Web_NewWindow2(HtmlView*& view, bool& cancel);
  void WebPic_NewWindow2(HtmlView*& view, bool& cancel);  // a gallery picture was clicked
  void Web_PageDownload(int id, const std::string& address, const std::string& name);
  void Web_ProcessHung(bool hung);
  void Web_ProcessEnded();
  // The mouse in the page (form_web_mouse.cpp): a middle or Ctrl click on a link, and the
  // right-click menu for what lies under the pointer in the view shown.
  void FollowLinkClick(const std::string& address, int button, int shift, bool& handled);
  void ShowPageMenu();
  void StopHungPage();  // ends the hung page's engine process
  void HostFocused();
  void WatchFinishedPage();
  void RepeatAfterNavigation();
  void ScrollByArrowKey(int key_code);
  void CopyBlockedAddress();
  void OpenBlockedAddress();
  void CloseBlockedPanel();

  std::optional<std::string> StateField(const std::string& field) const override;
  Control* MakeOnDemand(const std::string& full_name) override;

  // The web gallery's view control, made when the window first needs it: its engine view
  // costs as much as the page's own, and most pages never show their pictures.
  Control& Gallery();

  // Public properties.
  bool count_only = false;                           // SearchPic only counts, writes no gallery
  std::string page_title;                            // title last shown in the frame's caption
  int16_t tab_index = 0;                             // this window's slot in the frame's table
  int32_t pictures_found = 0;                        // large pictures met by the last saving scan
  int32_t columns = 0;                               // gallery column mode 0 to 4
  std::string background_colour = kStartBackground;  // gallery background
  bool WebEdit = false;                              // the page is in edit mode
  std::unique_ptr<cWebBrowser> host;                 // made by ApplyPageSwitches

  // Controls.
  Control* Web;                 // the web page
  Control* WebPic = nullptr;    // the web gallery, over Web or out of sight; null until needed
  Control* host_container;      // container handed to the host
  Control* screenshot_surface;  // drawing surface of page screenshots
  Control* focus_holder;        // keeps the focus; arrow keys scroll the active view
  ControlArray status;          // status row 0 to 8
  Control* finish_watch_timer;  // watches a finished page, 200 ms
  Control* repeat_timer;        // repeats scans or downloads after a navigation
  Control* blocked_panel;       // blocked-window panel
  Control* blocked_caption;
  Control* blocked_list;
  Control* blocked_close_button;
  Control* hung_notice;  // says the page's engine process does not answer
  Control* stop_button;  // stops that page
  Control* page_menu;    // the right-click menu of the page and of its gallery

  // The right-click menu's commands, on what it was opened on.
  void SaveMenuPicture();
  void OpenLinkBehind();
  void CopyLinkAddress();
  void OpenPictureBehind();
  void CopyPictureAddress();
  void ShowMenuPicture();
  void CopyMenuSelection();
  void GoBack();
  void GoForward();
  void RefreshOrRescan();

 private:
  void CreateControls();
  void WireHandlers();
  // `address` of a link or picture of the page in a tab behind this one; nothing for an
  // address no tab may show.
  void OpenBehind(const std::string& address);
  // The picture the menu was opened on into the download folder, at its own size.
  HtmlView& ShownView();  // the gallery while the pictures are shown, else the page
  void PlaceGallery();    // over Web while the pictures are shown, else beside it
  bool ShowsView(const HtmlView* view) const;  // `view` is one of this window's views
  // The tab's label and tooltip for `title`: the title, else the address, "空白页" for
  // a blank page.
  void ShowTabLabel(const std::string& title);
  bool IsCurrentTab() const;
  std::string DownloadFolder() const;
  void ShowGalleryPage(const std::string& text);    // writes the gallery file, shows it
  std::string SaveFolder(const std::string& path);  // sets the download folder
  void ShowSaveProgress(int32_t n);
  void AfterStoppedSave();  // the window was closed during a save
  // Adds a picture address to this page's list; false when it is there already or the
  // list is full.
  bool RecordAddress(const std::string& src);
  bool AddressTried(const std::string& src) const;
  // The pictures a saving run will try that the page has not loaded.
  std::vector<std::string> AddressesToFetch(const std::vector<PagePicture>& pictures) const;
  // One picture into `folder`; nothing when the folder took no file (said once).
  std::optional<PictureSave> SaveOne(HtmlView& view, const PagePicture& picture,
                                     const std::string& folder, uint64_t min_length, bool fetch);
  void AddHistoryRow(const std::string& title, const std::string& address);
  void WriteHistory();  // the history buffer to the day's file

  Application& app_;
  FormExplore& frame_;
  ProgramState& state_;
  BrowserState& b_;
  int left_ = 0;                                 // twips inside the frame
  bool laid_out_ = false;                        // Form_Resize has placed the controls
  HistoryLog history_;                           // rows waiting for the day's history file
  bool saving_ = false;                          // a picture save is running
  bool close_requested_ = false;                 // unload once the save has stopped
  static constexpr int32_t kAddressSlots = 201;  // the one past the limit is recorded, unsaved
  std::vector<std::string> saved_addresses_ =
      std::vector<std::string>(kAddressSlots);  // pictures tried since the last navigation
  int32_t recorded_ = 0;                        // entries of saved_addresses_ in use
  int32_t saved_count_ = 0;                     // files written since the last navigation
  uint64_t scripts_until_ = 0;                  // the navigation allowed scripts once, 0: none
  uint64_t navigations_ = 0;                    // navigations so far: a save sees its page go
  int32_t timer3_ticks_ = 0;                    // repeat_timer ticks since the last navigation
  bool back_enabled_ = false;
  bool forward_enabled_ = false;
  bool timer2_stopped_ = false;  // finish_watch_timer has been switched off once
  bool stretched_ = false;       // the gallery fills the width
  float load_percent_ = 0;       // last load percentage
  // Windows opened without a click, counted for the page that opened them unasked and
  // every page those opened unasked.
  std::shared_ptr<int> unasked_windows_ = std::make_shared<int>(0);
  FormDownload* download_dialog_ = nullptr;  // open for one of this page's downloads
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // the dialog's answer checks it
  bool stopped_ = false;          // the user ended the hung page's process
  PointerTarget menu_target_;     // what the right-click menu was opened on
  bool menu_on_gallery_ = false;  // in the gallery's view, not the page's
};

}  // namespace tv
