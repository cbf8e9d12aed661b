// SPDX-License-Identifier: GPL-3.0-or-later
// FormExplore: the tabbed browser frame. Its top panel `Pict` holds the tool strip, the
// address and search boxes and the tab labels; below it lie the page windows (FormWeb),
// one per tab, stacked, the current one in front.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/form.h"

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

  // The size page windows and tabs are laid out in: the client area below `Pict`.
  int FrameWidth() const;
  int FrameHeight() const;

  // Tab strip.
  bool AddLab();  // false when every slot is taken (the 5002nd tab is refused)
  void PaiLie();
  void LoadNewForm(std::string& url);
  void LoadNewForm(const std::string& url);
  void DelLine();
  void UnloadSlot(int16_t& slot);
  void CloseRight();
  void CloseLeft();
  void CloseAll();
  void TextLab_MouseUp(int slot, const MouseArgs& m);
  void TextLab_DblClick(int slot);
  void build_Click();     // new tab (also build2, Ctrl+T, a double-click on Pict)
  void Command3_Click();  // restore the newest closed page
  void mnuFileExit_Click();

  // Address bar and search.
  void CmdGo_Click();
  void TextUrl_Change();
  void TextUrl_Click();  // a pick from the list
  void TextUrl_GotFocus();
  void TextUrl_KeyPress(int key_ascii);
  void CmbSearch_GotFocus();
  void CmbSearch_KeyPress(int key_ascii);
  void CmdSearch_Click();
  void Baidu_Click();

  // Frame commands of the tool strip that this window needs now.
  void CmdPage_Click(int index);     // back, forward
  void Chk_Click();                  // the picture view switch
  void AddFavor();                   // the favourites menu
  void EnablePlayFilmMusic_Click();  // the current page once more without blocking

  // Picture commands of the tool strip and the screenshot items.
  void Command2_Click();     // refresh, or a new scan while the pictures are shown
  void Command10_Click();    // stretched gallery / natural size
  void Command7_Click();     // next column mode
  void ImgComb_Click();      // next background colour
  void Command4_Click();     // save the page's pictures now
  void Command6_Click();     // the download folder in the file manager
  void PrintScreen_Click();  // the whole page as a picture (also PrintScreen2)

  // History, favourites, page source, saving, downloads and options.
  void History_Click();  // today's history page in a new tab (also Command1, DownloadImg)
  void RelaodDir_Click();
  void MyFavorites_Click(int index);
  void addhome_Click();
  void SearchDir_Click();
  void yuan_Click();  // also Command11
  void yuanBu_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void DownLoadFile_Click();
  void zhushouopt_Click();

  // Menu commands of the pages, the desktop and the help (frame_commands.cpp).
  void mnuFileOpen_Click();
  void EditPage_Click();
  void Attrib_Click();
  void AllResuha_Click();  // every tab but the first
  void ShowMe_Click();     // full screen: the frame's controls, title and menus hidden
  void Tingzhi_Click();    // stop; as Escape, first out of full screen or the find bar
  // Keys without a menu item (frame_keys.cpp).
  void FocusAddress();      // Ctrl+L: the address box, its text selected
  void StepTab(int step);   // the next (+1) or previous (-1) tab, round the end
  void ZoomPage(int step);  // the page's zoom in (+1), out (-1) or back to 100 % (0)
  void mnuHelp_Click();
  // Automatic scrolling (frame_scrolling.cpp).
  void MoveUp_Click(int index);
  void Timer1_Timer();
  void PageEnd(int direction);  // pageup -1, pagedown +1
  // The find bar (frame_find_bar.cpp).
  void mnuViewOptions_Click();
  void FindBar_Find(bool backwards);
  void FindBar_Close();

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

  bool FocusBounced = false;  // the first focus on the address or search box has bounced
  int16_t ScrollDir = 0;      // last scroll button: 0 up, 1 down
  int16_t BgIndex = 0;        // position in the background colour cycle
  std::string BgColor;        // colour last chosen by the cycle

  // Controls.
  Control* Pict;     // top panel
  Control* TextUrl;  // address box
  Control* CmdGo;
  Control* CmbSearch;  // keyword search box
  Control* CmdSearch;
  Control* Chk;          // picture view switch
  Control* Timer1;       // automatic scrolling, 20 ms
  ControlArray TextLab;  // tab labels by slot
  ControlArray CmdPage;  // back, forward
  ControlArray MoveUp;   // scroll up, down
  Control* PageLabel;    // the tab menu
  Control* FindText;     // the find bar's box, hidden until asked for

 private:
  void CreateControls();
  void CreateMenus();
  void WireHandlers();
  void WirePictureCommands();
  void WireFrameCommands();
  void WireKeys();
  void CreateFindBar();
  HtmlView* ChildView() const;  // the active child's page view, or null
  void Unavailable(const char* what);
  std::string DownloadFolder() const;
  void WireSideWindows();        // the commands above, and the favourites menu's items
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
