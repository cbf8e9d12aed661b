// SPDX-License-Identifier: GPL-3.0-or-later
// FrmMain: the gallery window, the program's start-up window. It lists a folder's
// pictures into the picture list and shows them a page of thumbnails at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gallery/page_lines.h"
#include "platform/form.h"

namespace tv {

class Application;
struct GalleryLook;
struct ProgramState;

inline constexpr const char* kGalleryPage = "C:\\Tpc.htm";
inline constexpr const char* kGalleryTitle = "Tessaview (v8.2)";

// A folder path as the folder list keeps it: no trailing "/" but for the root.
std::string NormalizeFolder(const std::string& folder);

class FrmMain : public Form {
 public:
  explicit FrmMain(Application& app);

  // Window events.
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Activate() override;
  bool Form_QueryUnload() override;

  // Listing and page building.
  void Dir1_Change();
  void Drive1_Change();
  void FirstPage();
  void WritePage();
  void Command10_Click();

  // Paging.
  void CmdPage_Click(int index);
  void Eback_Click();
  void Eforward_Click();
  void ToolJump_Click();
  void Command2_Click();    // refresh
  void PageEnd(bool last);  // the first or the last page (Home, End)
  void ToolSetup_Click();

  // Display controls.
  void BigP_Click(int index);
  void ZOOMIE(int16_t percent);
  void ImgComb_Click();
  void Command7_Click();
  void MoveUp_Click(int index);
  void Timer1_Timer();
  void Speed_Click(int index);
  void ToolsTop_Click();
  void ToolsButton_Click();
  void Cmb_KeyDown(int key_code);
  void ChkFace_Click();
  void EviewPath_Click();
  void law_MouseMove(const MouseArgs& m);
  void law_MouseUp(const MouseArgs& m);
  // The look kept from the last run: layout and background now, width mode and zoom with
  // the first page shown.
  void ShowKeptLook(const GalleryLook& look);
  // Keeps the layout, width mode, zoom and background for the next start.
  void KeepLook();

  // Recursive search.
  void Command5_Click();

  // Picture commands.
  // The selected picture := the listed picture whose thumbnail is under the pointer now,
  // else nothing.
  void SelectPictureUnderPointer();
  void Web_NewWindow2(bool& cancel);
  void Command1_Click();
  void EfilePath_Click();
  void ToolsLocal_Click();
  void ToolSaveList_Click();
  void ToolDefaut_Click();
  void ToolsPath_Click();
  void ToolsCopy_Click();
  void ToolsDel_Click();
  void ToolsClipboard_Click();
  void ToolsEdit_Click();
  void ToolsAttrib_Click();

  // Screenshot of the whole page.
  void Command9_Click();

  // Window commands: printing, shell menu, browser, help.
  void FprintSet_Click();
  void FprintView_Click();
  void Fprint_Click();
  void Folder_Click();
  void Command6_Click();
  void Command3_Click();
  void HelpEmail_Click();
  void HelpHome_Click();
  void LagFanti_Click();
  void LagEnglish_Click();
  void HelpAbout_Click();

  // Timers.
  void Timer2_Timer();
  void Refit_Timer();  // the page written again for the view's new width

  // Menu commands.
  void Fexit_Click();

  std::optional<std::string> StateField(const std::string& field) const override;

  // Controls.
  Control* Drive1;       // drive list
  Control* Dir1;         // folder list
  Control* law;          // splitter between the folder panel and the view
  Control* Web;          // the gallery's HTML view
  Control* TotalWeb;     // second view, kept hidden
  Control* Cmb;          // focus holder that only receives keys
  Control* ChkFace;      // folder panel switch
  Control* Picture1;     // drawing surface of the screenshot
  Control* ImageCopy;    // picture loader of the clipboard copy
  Control* Timer1;       // automatic scrolling, 20 ms
  Control* Timer2;       // re-activation, 1000 ms
  Control* Refit;        // rewrites the page 200 ms after the last resize step
  ControlArray Lab;      // status labels 0 to 6
  ControlArray CmdPage;  // previous, next page
  ControlArray BigP;     // zoom in, zoom out
  ControlArray MoveUp;   // automatic scroll up, down
  Control* Command1;
  Control* Command2;
  Control* Command3;
  Control* Command5;
  Control* Command6;
  Control* Command7;
  Control* Command8;
  Control* Command9;
  Control* Command10;
  Control* ImgComb;

  // Menus.
  Control* mFile;
  Control* mEdit;
  Control* mImage;
  Control* HelpM;
  Control* MyTools;
  Control* Folder;     // shell-menu toggle
  Control* EviewPath;  // folder panel item
  ControlArray Speed;  // scroll speeds

  // Gallery state.
  std::string status_text;             // last status text reported by Web
  std::string start_file;              // file name the listing starts at
  bool listing_ran = false;            // set by every listing; tells a caller it fired
  int32_t width_toggle = 0;            // 0, 1, 2 of the stretch / original-size command
  int32_t display_mode = 0;            // thumbnail layout 0 to 5
  int32_t scroll_step = 2;             // pixels per automatic scroll tick
  int16_t zoom = 0;                    // page zoom in percent
  int16_t colour_index = 0;            // position in the background colour cycle
  std::string current_folder = "/";    // folder being shown, always ending in "/"
  std::string scratch;                 // work text: dialog results
  int32_t page_count = 0;              // pages of the current list
  int32_t current_page = 0;            // page shown, 1-based
  int32_t per_page = 30;               // thumbnails per page, 30 to 200
  int16_t scroll_direction = 0;        // 0 up, 1 down for automatic scrolling
  std::string background = "#FFFFFF";  // page background written into the page
  std::string command_line;            // the text the program was started with

 private:
  void CreateControls();
  void PlacePageLabel(int sw);
  void CreateMenus();
  void WireHandlers();
  // Sets the folder list as the system does: a different existing folder fires Dir1_Change.
  void SetDirPath(const std::string& folder);
  void SetDriveFor(const std::string& folder);
  std::string PageFile() const;
  // Lab(2): the picture count, marked when the folder holds more than the list.
  void ShowPictureCount();
  // The picture menu acts only on a listed picture that is still there.
  bool SelectedPictureExists();
  // Shows the page again without a picture just taken out of the list; the last page
  // gives way to the one before when it is left empty.
  void DropFromPage();
  // The listed picture a link address names, "" for any other address.
  std::string ListedPicture(const std::string& address) const;
  struct PictureLineChoice {
    PictureLine kind;
    int width;
  };
  using PictureLineMaker = std::function<PictureLineChoice(const std::string& path)>;
  // Writes the page of the current page number with one line per picture, then shows it.
  void WritePageFile(bool centred, const PictureLineMaker& picture_line);

  // Shows the page in width mode `toggle` (0 fitted by layout, 1 stretched, 2 original).
  void ShowWidthMode(int toggle);

  // Lays the buttons out in as many rows as the width needs; returns the height the rows
  // after the first take.
  int PlaceButtons(int sw);

  int kept_width_mode_ = 0;       // the width mode the first page of the run is shown in
  int16_t kept_zoom_ = 0;         // the zoom the first page of the run is shown at; 0 once shown
  bool kept_zoom_armed_ = false;  // that page is on its way to the view
  int written_width_ = -1;        // width of the view (twips) the page shown was written for
  bool quiet_drive_ = false;      // the drive list follows the folder without listing it

  Application& app_;
  ProgramState& state_;
};

}  // namespace tv
