// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/frm_main.h"

#include <algorithm>
#include <cstdlib>

#include "host/html_view.h"
#include "program/application.h"

namespace tv {

namespace {

constexpr int kButtonTop = 60;
constexpr int kButtonSize = 450;
constexpr int kViewTop = 570;
// The status row along the bottom edge, as high as a line of the desktop's font, so that
// no descender falls past the window's edge; it still clears the view above it.
constexpr int kLabelHeight = 330;

}  // namespace

FrmMain::FrmMain(Application& app)
    : Form(app.Services(), "FrmMain"), app_(app), state_(app.State()) {
  SetCaption(kGalleryTitle);
  CreateControls();
  // The folder list starts at the user's pictures; nothing is listed until a folder is
  // chosen or given on the command line.
  SetDriveFor(Services().paths.PicturesFolder());
  folder_list->SetPath(NormalizeFolder(Services().paths.PicturesFolder()));
  WireHandlers();
  Resize(16800, 10800);
}

void FrmMain::CreateControls() {
  CreateCommands();
  int left = 40;
  for (const auto& c : Controls()) {
    if (c->Kind() != ControlKind::Button) continue;
    c->Move(left, kButtonTop, kButtonSize, kButtonSize);
    left += kButtonSize + 30;
  }

  folder_panel_switch = &Add(ControlKind::CheckBox, "ChkFace");
  folder_panel_switch->SetToolTipText("显示 / 隐藏文件夹列表");
  folder_panel_switch->SetCaption("目录");
  folder_panel_switch->Move(left + 60, kButtonTop + 60, 900, 330);

  drive_list = &Add(ControlKind::DriveList, "Drive1");
  drive_list->Move(40, kViewTop, 2880, 330);
  folder_list = &Add(ControlKind::DirList, "Dir1");
  folder_list->Move(40, kViewTop + 390, 2880, 7000);
  splitter = &Add(ControlKind::PictureBox, "law");
  splitter->Move(2920, kViewTop, 60, 8000);
  for (Control* c : {drive_list, folder_list, splitter}) c->SetVisible(false);

  page_view = &Add(ControlKind::View, "Web");
  page_view->Move(40, kViewTop, 14320, 8630);
  spare_view = &Add(ControlKind::View, "TotalWeb");
  spare_view->SetVisible(false);
  spare_view->Move(0, 0, 150, 150);

  // The focus holder sits outside the visible area: it only receives keys.
  focus_holder = &Add(ControlKind::ComboBox, "Cmb");
  focus_holder->Move(-2000, kButtonTop, 1200, 330);
  screenshot_surface = &Add(ControlKind::PictureBox, "Picture1");
  screenshot_surface->SetVisible(false);
  clipboard_picture = &Add(ControlKind::Image, "ImageCopy");
  clipboard_picture->SetVisible(false);

  struct LabelDesign {
    int left, width;
    const char* text;
  };
  constexpr LabelDesign kLabels[] = {
      {40, 5600, "当前路径：未知"},
      {5660, 30, ""},
      {5720, 1900, "图片总数：0"},
      {7640, 30, ""},
      {7700, 1900, ""},
      {9620, 30, ""},
      {11500, 2850, "Corvex看图器"},
  };
  for (int i = 0; i < 7; ++i) {
    Control& l = Add(status, ControlKind::Label, "Lab", i);
    l.SetCaption(kLabels[i].text);
    l.Move(kLabels[i].left, 9600 - kLabelHeight, kLabels[i].width, kLabelHeight);
  }

  auto_scroll_timer = &Add(ControlKind::Timer, "Timer1");
  auto_scroll_timer->SetInterval(20);
  reactivate_timer = &Add(ControlKind::Timer, "Timer2");
  reactivate_timer->SetInterval(1000);
  reactivate_timer->SetTimerEnabled(true);
  // A page refits the window's new width once resizing has paused this long.
  refit_timer = &Add(ControlKind::Timer, "Refit");
  refit_timer->SetInterval(200);
}

void FrmMain::WireHandlers() {
  folder_list->Change = [this] { ListChosenFolder(); };
  drive_list->Change = [this] { ShowChosenDrive(); };
  auto_scroll_timer->TimerTick = [this] { AutoScrollTick(); };
  reactivate_timer->TimerTick = [this] { ReactivateTick(); };
  refit_timer->TimerTick = [this] { RefitPage(); };
  folder_panel_switch->Click = [this] { ShowFolderPanel(); };
  focus_holder->KeyDown = [this](int key, int) { ScrollByArrowKey(key); };
  splitter->MouseMove = [this](const MouseArgs& m) { DragSplitter(m); };
  splitter->MouseUp = [this](const MouseArgs& m) { DropSplitter(m); };

  HtmlViewEvents& events = page_view->View()->events;
  events.StatusTextChange = [this](const std::string& text) { status_text = text; };
  events.DownloadBegin = [this] { status_text.clear(); };
  events.DownloadComplete = [this] {
    zoom = 100;
    // The first page of a run comes back at the zoom it was left at.
    if (kept_zoom_armed_ && page_view->View()->LocationURL() != "about:blank") {
      zoom = kept_zoom_;
      kept_zoom_ = 0;
      kept_zoom_armed_ = false;
      ApplyZoom(zoom);
    }
  };
  events.NewWindow2 = [this](HtmlView*&, bool& cancel) { OpenThumbnailLink(cancel); };
}

void FrmMain::Form_Resize() {
  const int sw = ScaleWidth(), sh = ScaleHeight();
  // Full screen gives the whole window to the pictures.
  const bool full = FullScreen();
  for (const auto& c : Controls()) {
    if (c->Kind() == ControlKind::Button) c->SetVisible(!full);
  }
  folder_panel_switch->SetVisible(!full);
  for (Control* c : {drive_list, folder_list, splitter})
    c->SetVisible(!full && folder_panel_switch->Value() == 1);
  for (int i = 0; i <= 6; ++i) status[i].SetVisible(!full);
  if (full) {
    page_view->Move(0, 0, sw, sh);
    if (written_width_ >= 0 && page_view->Width() != written_width_)
      refit_timer->SetTimerEnabled(true);
    return;
  }
  // A window narrower than the button row takes the rest of the buttons on further rows.
  const int extra = PlaceButtons(sw);
  page_view->SetTop(kViewTop + extra);
  drive_list->SetTop(kViewTop + extra);
  folder_list->SetTop(kViewTop + 390 + extra);
  splitter->SetTop(kViewTop + extra);
  drive_list->SetWidth(sw / 5);
  folder_list->SetWidth(drive_list->Width());
  folder_list->SetHeight(std::max(sh - 1300 - extra, 0));
  page_view->SetHeight(std::max(sh - 970 - extra, 0));
  page_view->SetLeft(folder_panel_switch->Value() == 1 ? drive_list->Width() + 80 : 40);
  page_view->SetWidth(sw - page_view->Left() - 40);
  splitter->SetLeft(drive_list->Width() + 40);
  splitter->SetHeight(page_view->Height());
  for (int i = 0; i <= 6; ++i) status[i].SetTop(sh - kLabelHeight);
  PlacePageLabel(sw);
  // Each resize step starts the wait again, so the page is written once at the end.
  if (written_width_ >= 0 && page_view->Width() != written_width_) {
    refit_timer->SetTimerEnabled(false);
    refit_timer->SetTimerEnabled(true);
  }
}

int FrmMain::PlaceButtons(int sw) {
  constexpr int kStep = kButtonSize + 30, kCheckWidth = 960;
  const int per_row = std::max(1, (sw - 40) / kStep);
  int n = 0;
  for (const auto& c : Controls()) {
    if (c->Kind() != ControlKind::Button) continue;
    c->Move(40 + (n % per_row) * kStep, kButtonTop + (n / per_row) * kStep, kButtonSize,
            kButtonSize);
    ++n;
  }
  int row = (n - 1) / per_row, left = 40 + ((n - 1) % per_row + 1) * kStep;
  if (left + kCheckWidth > sw && left > 40 + kStep) {
    ++row;
    left = 40;
  }
  folder_panel_switch->Move(left + 60, kButtonTop + 60 + row * kStep, 900, 330);
  return row * kStep;
}

void FrmMain::RefitPage() {
  refit_timer->SetTimerEnabled(false);
  if (state_.pictures.count == 0 || page_view->Width() == written_width_) return;
  // The width toggle's original size does not follow the window; its other states do.
  if (width_mode == 0) {
    WritePage();
  } else if (width_mode == 1) {
    const int v = ViewWidthPixels(page_view->Width());
    WritePageFile(true, [v](const std::string&) { return PictureLineChoice{PictureLine::Row, v}; });
  }
}

void FrmMain::PlacePageLabel(int sw) {
  // The page label stays at its place while its text fits there. In a narrower window it
  // moves left over the labels before it, which give way, so the page number always shows.
  constexpr int kDesignLeft = 11500, kTextWidth = 3700;
  int left = kDesignLeft;
  if (sw - 11550 >= kTextWidth) {
    status[6].SetWidth(sw - 11550);
  } else {
    left = std::max(40, sw - kTextWidth - 40);
    status[6].SetWidth(std::max(sw - left - 40, 0));
  }
  status[6].SetLeft(left);
  for (int i = 1; i < 6; ++i) status[i].SetVisible(status[i].Left() + status[i].Width() <= left);
  // The folder line gives up its end before it gives way altogether.
  constexpr int kFolderWidth = 5600, kFolderMin = 1500;
  const int room = std::min(left - status[0].Left() - 40, kFolderWidth);
  status[0].SetWidth(std::max(room, kFolderMin));
  status[0].SetVisible(room >= kFolderMin);
}

std::optional<std::string> FrmMain::StateField(const std::string& field) const {
  if (field == "current page") return std::to_string(current_page);
  if (field == "page count") return std::to_string(page_count);
  if (field == "per page") return std::to_string(per_page);
  if (field == "zoom") return std::to_string(zoom);
  if (field == "display mode") return std::to_string(layout);
  if (field == "width toggle") return std::to_string(width_mode);
  if (field == "background") return background;
  if (field == "current folder") return current_folder;
  if (field == "start file") return start_file;
  if (field == "scroll step") return std::to_string(scroll_step);
  if (field == "selected picture") return state_.selected_picture;
  if (field == "picture count") return std::to_string(state_.pictures.count);
  if (field.rfind("picture ", 0) == 0) {
    return state_.pictures.At(std::atoi(field.c_str() + 8));
  }
  return std::nullopt;
}

}  // namespace tv
