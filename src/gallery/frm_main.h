// SPDX-License-Identifier: GPL-3.0-or-later
// FrmMain: the gallery window, the program's start-up window. It lists a folder's
// pictures into the picture list and shows them a page of thumbnails at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gallery/page_lines.h"
#include "platform/form.h"
#include "program/page_backgrounds.h"

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
  void ListChosenFolder();
  void ShowChosenDrive();
  void FirstPage();
  void WritePage();
  void CycleWidthMode();

  // Paging.
  void TurnPage(int index);
  void PreviousPage();
  void NextPage();
  void JumpToPage();
  void Refresh();
  void PageEnd(bool last);  // the first or the last page
  void ShowFirstPage();
  void ShowLastPage();
  void AskPicturesPerPage();

  // Display controls.
  void ZoomStep(int index);  // 0 in, 1 out
  void ZoomIn();
  void ZoomOut();
  void ToggleFullScreen();
  void LeaveFullScreen();
  void ApplyZoom(int16_t percent);
  void CycleBackground();
  void NextLayout();
  void ToggleAutoScroll(int index);
  void AutoScrollTick();
  void SetScrollSpeed(int index);
  void ScrollToTop();
  void ScrollToBottom();
  void ScrollByArrowKey(int key_code);
  void ShowFolderPanel();
  void ToggleFolderPanel();
  void DragSplitter(const MouseArgs& m);
  void DropSplitter(const MouseArgs& m);
  // The look kept from the last run: layout and background now, width mode and zoom with
  // the first page shown.
  void ShowKeptLook(const GalleryLook& look);
  // Keeps the layout, width mode, zoom and background for the next start.
  void KeepLook();

  // Recursive search.
  void SearchSubfolders();

  // Picture commands.
  // The selected picture := the listed picture whose thumbnail is under the pointer now,
  // else nothing.
  void SelectPictureUnderPointer();
  void OpenThumbnailLink(bool& cancel);
  void ChoosePictureFile();
  void ShowPicturePath();
  void ShowProgramFolder();
  void ExportPictureList();
  void OpenSelectedPicture();
  void ShowSelectedPicturePath();
  void SaveSelectedPictureAs();
  void TrashSelectedPicture();
  void CopySelectedPicture();
  void EditSelectedPicture();
  void ShowSelectedPictureProperties();

  // Screenshot of the whole page.
  void SaveScreenshot();

  // Window commands: printing, shell menu, browser, help.
  void PrintSetup();
  void PrintPreview();
  void Print();
  void ToggleShellMenu();
  void OpenBrowser();
  void ShowHelpMenu();
  void WriteToAuthor();
  void OpenHomePage();
  void ShowTraditionalChinese();
  void ShowEnglish();
  void ShowAbout();

  // Timers.
  void ReactivateTick();
  void RefitPage();  // the page written again for the view's new width

  // Menu commands.
  void Quit();

  std::optional<std::string> StateField(const std::string& field) const override;

  // Controls.
  Control* drive_list;           // drive list
  Control* folder_list;          // folder list
  Control* splitter;             // splitter between the folder panel and the view
  Control* page_view;            // the gallery's HTML view
  Control* spare_view;           // second view, kept hidden
  Control* focus_holder;         // focus holder that only receives keys
  Control* folder_panel_switch;  // folder panel switch
  Control* screenshot_surface;   // drawing surface of the screenshot
  Control* clipboard_picture;    // picture loader of the clipboard copy
  Control* auto_scroll_timer;    // automatic scrolling, 20 ms
  Control* reactivate_timer;     // re-activation, 1000 ms
  Control* refit_timer;          // rewrites the page 200 ms after the last resize step
  ControlArray status;           // status labels 0 to 6
  ControlArray page_buttons;     // previous, next page
  ControlArray zoom_buttons;     // zoom in, zoom out
  ControlArray scroll_buttons;   // automatic scroll up, down
  Control* search_button;        // off while a search runs

  // Menus.
  Control* help_menu;
  Control* picture_menu;       // shown over a thumbnail
  Control* shell_menu_item;    // shell-menu toggle
  Control* folder_panel_item;  // folder panel item
  ControlArray speed_items;    // scroll speeds

  // Gallery state.
  std::string status_text;                    // last status text reported by page_view
  std::string start_file;                     // file name the listing starts at
  bool listing_ran = false;                   // set by every listing; tells a caller it fired
  int32_t width_mode = 0;                     // 0, 1, 2 of the stretch / original-size command
  int32_t layout = 0;                         // thumbnail layout 0 to 4
  int32_t scroll_step = 2;                    // pixels per automatic scroll tick
  int16_t zoom = 0;                           // page zoom in percent
  int16_t colour_index = 0;                   // position in the background colour cycle
  std::string current_folder = "/";           // folder being shown, always ending in "/"
  std::string scratch;                        // work text: dialog results
  int32_t page_count = 0;                     // pages of the current list
  int32_t current_page = 0;                   // page shown, 1-based
  int32_t per_page = 30;                      // thumbnails per page, 30 to 200
  int16_t scroll_direction = 0;               // 0 up, 1 down for automatic scrolling
  std::string background = kStartBackground;  // page background written into the page
  std::string command_line;                   // the text the program was started with

 private:
  void CreateControls();
  void PlacePageLabel(int sw);
  // The buttons, menus and keys of the window's command table.
  void CreateCommands();
  void WireHandlers();
  // Sets the folder list as the system does: a different existing folder fires ListChosenFolder.
  void SetDirPath(const std::string& folder);
  void SetDriveFor(const std::string& folder);
  std::string PageFile() const;
  // status(2): the picture count, marked when the folder holds more than the list.
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
