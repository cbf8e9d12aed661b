// SPDX-License-Identifier: GPL-3.0-or-later
// FormExplore: the tabbed browser frame. Its top panel `top_panel` holds the tool strip, the
// address and search boxes and the tab labels; below it lie the page windows (FormWeb),
// one per tab, stacked, the current one in front.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/form.h"
#include "platform/shell.h"

namespace tv {

class Application;
class FormWeb;
class HtmlView;
struct BrowserState;
struct ProgramState;

inline constexpr const char* kFrameTitle = "Lumbra（看图浏览器）";
inline constexpr const char* kCaptionSuffix = " - Lumbra看图浏览器";
inline constexpr const char* kBlankCaption = " Lumbra看图浏览器";
inline constexpr const char* kBlankTabText = "空白页";
inline constexpr const char* kBlankTabTip = "鼠标右击查看属性，双击后可以关闭当前窗口";

class FormExplore : public Form {
 public:
  explicit FormExplore(Application& app);
  ~FormExplore() override;

  // Window events.
  void Form_Load() override;
  void Form_Resize() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;

  // The size page windows and tabs are laid out in: the client area below `top_panel`.
  int FrameWidth() const;
  int FrameHeight() const;

  // Tab strip.
  bool AddLab();  // false when every slot is taken (the 5002nd tab is refused)
  void LayOutTabs();
  void LoadNewForm(std::string& url);
  void LoadNewForm(const std::string& url);
  // A new tab right of the current one loads `address` behind it; the current tab stays
  // in front. False when no tab could be added.
  bool OpenBehind(const std::string& address);
  void CloseCurrentTab();
  void UnloadSlot(int16_t& slot);
  void CloseRight();
  void CloseLeft();
  void CloseAll();
  void TabLabelMouseUp(int slot, const MouseArgs& m);
  void TabLabelDoubleClick(int slot);
  void NewTab();             // new tab (also build2, Ctrl+T, a double-click on top_panel)
  void RestoreClosedPage();  // restore the newest closed page
  void CloseBrowser();

  // Address bar and search.
  void GoToAddress();
  void AddressChanged();
  void AddressPicked();  // a pick from the list
  void AddressFocused();
  void AddressKeyPress(int key_ascii);
  void SearchBoxFocused();
  void SearchBoxKeyPress(int key_ascii);
  void SearchKeyword();
  void OpenKeywordSearch();

  // Frame commands of the tool strip that this window needs now.
  void GoBackOrForward(int index);  // back, forward
  void TogglePagePictures();        // the picture view switch
  void FillFavoritesMenu();         // the favourites menu
  void ReloadWithoutBlocking();     // the current page once more without blocking

  // Picture commands of the tool strip and the screenshot items.
  void RefreshOrRescan();     // refresh, or a new scan while the pictures are shown
  void CycleWidthMode();      // stretched gallery / natural size
  void NextLayout();          // next column mode
  void CycleBackground();     // next background colour
  void SaveLargePictures();   // save the page's pictures now
  void OpenDownloadFolder();  // the download folder in the file manager
  void SavePageScreenshot();  // the whole page as a picture (also PrintScreen2)

  // History, favourites, page source, saving, downloads and options.
  void ShowTodaysHistory();  // today's history page in a new tab (also Command1, DownloadImg)
  void ReloadFavorites();
  void OpenFavorite(int index);
  void AddFavorite();
  void OrganizeFavorites();
  void ShowPageSource();  // also Command11
  void ShowSelectionSource();
  void SavePageSource();
  void SavePageAs();
  void ShowDownloadDialog();
  void ShowOptions();

  // Menu commands of the pages, the desktop and the help (frame_commands.cpp).
  void OpenLocalFile();
  void StartAnotherCopy();
  void PageSetup();
  void PrintPreview();
  void PrintPage();
  void WriteEmail();
  void OpenComputerFolder();
  void OpenDialUpSettings();
  void ToggleOffline();
  void CopySelection();
  void CutSelection();
  void Paste();
  void SelectAll();
  void ScrollToTop();
  void ScrollToBottom();
  void CloseOtherTabs();
  void CopyTabTitle();
  void CopyAddress();
  void CopyTabText();  // the selected text of the current tab's label
  void RefreshPage();
  void OpenInOtherBrowser();
  void OpenInNewTab(const char* address);
  void OpenDefaultHomePage();
  void BlockPopUps();
  void TurnScreenOff();
  void StartTextEditor();
  void StartImageEditor();
  void OpenNetworkSettings();
  void WriteToAuthor();
  void ShowAbout();
  void ToggleEditMode();
  void ShowPageProperties();
  void RefreshAllTabs();    // every tab but the first
  void ToggleFullScreen();  // full screen: the frame's controls, title and menus hidden
  void StopOrLeave();       // stop; as Escape, first out of full screen or the find bar
  // Keys without a menu item (frame_keys.cpp).
  void FocusAddress();  // Ctrl+L: the address box, its text selected
  void NextTab();
  void PreviousTab();
  void ZoomPageIn();
  void ZoomPageOut();
  void ResetPageZoom();
  void GoBack();
  void GoForward();
  void QuitProgram();       // Ctrl+Q ends the whole program, as the gallery's 退出 does
  void StepTab(int step);   // the next (+1) or previous (-1) tab, round the end
  void ZoomPage(int step);  // the page's zoom in (+1), out (-1) or back to 100 % (0)
  void ShowHelp();
  // Automatic scrolling (frame_scrolling.cpp).
  void ToggleAutoScroll(int index);
  void AutoScrollTick();
  void PageEnd(int direction);  // pageup -1, pagedown +1
  // The find bar (frame_find_bar.cpp).
  void ShowFindBar();
  void FindInPage(bool backwards);
  void FindNext();
  void FindPrevious();
  void CloseFindBar();

  // The page window of a new tab: loaded, shown and stored nowhere yet.
  FormWeb& NewPage();
  // The frame's active child: the page window in front; null when there is none.
  FormWeb* ActiveChild() const;
  // Called by a page window when it is brought to the front, sent back or unloaded.
  void Stack(FormWeb& page, bool front);
  void Forget(FormWeb& page);
  // The page window in `slot`, or null.
  FormWeb* Page(int slot) const;
  // True while the frame closes with all its pages: what a closing tab would add to the
  // frame's boxes and strip is seen by nobody.
  bool Closing() const { return closing_; }

  std::optional<std::string> StateField(const std::string& field) const override;

  bool FocusBounced = false;     // the first focus on the address or search box has bounced
  int16_t ScrollDir = 0;         // last scroll button: 0 up, 1 down
  int16_t background_index = 0;  // position in the background colour cycle
  std::string background;        // colour last chosen by the cycle

  // Controls.
  Control* top_panel;    // top panel
  Control* address_box;  // address box
  Control* go_button;
  Control* search_box;  // keyword search box
  Control* search_button;
  Control* pictures_switch;      // picture view switch
  Control* auto_scroll_timer;    // automatic scrolling, 20 ms
  ControlArray tab_labels;       // tab labels by slot
  ControlArray history_buttons;  // back, forward
  ControlArray scroll_buttons;   // scroll up, down
  Control* tab_menu;             // the tab menu
  Control* find_box;             // the find bar's box, hidden until asked for

 private:
  void CreateControls();
  // The buttons, menus and keys of the window's command table.
  void CreateCommands();
  void WireHandlers();
  void CreateFindBar();
  HtmlView* ChildView() const;  // the active child's page view, or null
  void Unavailable(const char* what);
  void ExecInPage(int command, int option);
  void StartDesktopService(DesktopService service, const char* missing);
  void OpenOrSay(const std::string& target, const char* missing);
  std::string DownloadFolder() const;
  void WireSideWindows();        // the favourites menu's items
  Control& Label(int slot);      // the label of a slot, made on first use
  void ShowPage(FormWeb& page);  // to (0, 0) at the frame's size
  void ShowAddress(const std::string& address);
  void Go();
  void Bounce(Control& box);
  void ColourLabel(Control& label, bool current);  // white on the current tab, else grey

  Application& app_;
  ProgramState& state_;
  BrowserState& b_;
  std::vector<FormWeb*> stack_;            // page windows from back to front
  std::vector<int16_t> laid_;              // slot whose label the last layout put at each position
  int laid_width_ = -1;                    // tab width of that layout
  int lit_slot_ = -1;                      // slot of the label it coloured as the current tab
  std::vector<Control*> hidden_for_full_;  // controls full screen hid, shown again after
  bool closing_ = false;
};

// The address shown for `address`: the navigation site without its affiliate query.
std::string PlainNavigationAddress(const std::string& address);
// The navigation site with its affiliate query.
std::string NavigationAddressWithQuery();
// The web search endpoint the phrase is appended to.
std::string WebSearchEndpoint();
// The fixed keyword search address and the keyword search home.
std::string KeywordSearchAddress();
std::string KeywordSearchHome();

// True for a web or file address another browser can show (http, https, ftp, file).
bool IsBrowserAddress(const std::string& text);

// Opens the frame from the gallery, or shows the open one.
void OpenBrowserFrame(Application& app);

}  // namespace tv
