// SPDX-License-Identifier: GPL-3.0-or-later
// How the current page looks: zoom, background, layout, scrolling and the folder panel.
#include <algorithm>
#include <string>

#include "gallery/frm_main.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/page_backgrounds.h"
#include "settings/kept_windows.h"
#include "settings/settings_store.h"

namespace tv {

namespace {

constexpr int kSpeeds[] = {2, 4, 8, 16, 32};

}  // namespace

void FrmMain::ZoomStep(int index) {
  int z = zoom < 15 ? 15 : zoom;
  z += index == 0 ? 10 : -10;
  zoom = static_cast<int16_t>(std::min(z, kMaxGalleryZoom));
  ApplyZoom(zoom);
  SetFocus(*page_view);
  KeepLook();
}

void FrmMain::ZoomIn() {
  ZoomStep(0);
}

void FrmMain::ZoomOut() {
  ZoomStep(1);
}

void FrmMain::ToggleFullScreen() {
  SetFullScreen(!FullScreen());
}

void FrmMain::LeaveFullScreen() {
  SetFullScreen(false);
}

void FrmMain::ApplyZoom(int16_t percent) {
  page_view->View()->ExecScript("document.body.style.zoom='" + std::to_string(percent) + "%'",
                                "JScript");
}

void FrmMain::CycleBackground() {
  if (state_.pictures.count == 0) return;
  colour_index = static_cast<int16_t>(colour_index + 1 > kBackgroundCount ? 1 : colour_index + 1);
  background = kBackgroundCycle[colour_index - 1];
  WritePage();
  SetFocus(*focus_holder);
  KeepLook();
}

void FrmMain::NextLayout() {
  if (state_.pictures.count == 0) return;
  layout = layout + 1 > 4 ? 0 : layout + 1;
  WritePage();
  KeepLook();
}

void FrmMain::ShowKeptLook(const GalleryLook& look) {
  layout = look.layout;
  colour_index = look.colour_index;
  background = colour_index == 0 ? kStartBackground : kBackgroundCycle[colour_index - 1];
  kept_width_mode_ = look.width_mode;
  kept_zoom_ = look.zoom == 100 ? 0 : look.zoom;
}

void FrmMain::KeepLook() {
  GalleryLook look;
  look.layout = layout;
  // What the first page of the run has not shown yet is still the look to keep.
  look.width_mode = kept_width_mode_ != 0 ? kept_width_mode_ : width_mode;
  look.zoom = kept_zoom_ != 0 ? kept_zoom_ : zoom >= 5 ? zoom : 100;
  look.colour_index = colour_index;
  SettingsStore store(Services().settings);
  KeepGalleryLook(store, look);
}

void FrmMain::ToggleAutoScroll(int index) {
  scroll_direction = static_cast<int16_t>(index);
  if (scroll_buttons[index].BackColor() == kYellow) {
    scroll_buttons[index].SetBackColor(kButtonFace);
    auto_scroll_timer->SetTimerEnabled(false);
    SetFocus(*page_view);
  } else {
    scroll_buttons[index].SetBackColor(kYellow);
    scroll_buttons[1 - index].SetBackColor(kButtonFace);
    auto_scroll_timer->SetTimerEnabled(true);
  }
}

void FrmMain::AutoScrollTick() {
  page_view->View()->ScrollBy(0, scroll_direction == 1 ? scroll_step : -scroll_step);
}

void FrmMain::SetScrollSpeed(int index) {
  if (index < 0 || index > 4) return;
  for (int i = 0; i < 5; ++i) speed_items[i].SetChecked(i == index);
  scroll_step = kSpeeds[index];
}

void FrmMain::ScrollToTop() {
  for (int i = 0; i < 201; ++i) page_view->View()->ScrollBy(0, -150);
  SetFocus(*focus_holder);
}

void FrmMain::ScrollToBottom() {
  for (int i = 0; i < 201; ++i) page_view->View()->ScrollBy(0, 150);
  SetFocus(*focus_holder);
}

void FrmMain::ScrollByArrowKey(int key_code) {
  ScrollForArrowKey(*page_view->View(), key_code);
}

void FrmMain::ShowFolderPanel() {
  const bool shown = folder_panel_switch->Value() == 1;
  for (Control* c : {drive_list, folder_list, splitter}) c->SetVisible(shown);
  page_view->SetLeft(shown ? drive_list->Width() + 80 : 40);
  page_view->SetWidth(ScaleWidth() - page_view->Left() - 40);
}

void FrmMain::ToggleFolderPanel() {
  folder_panel_switch->SetValue(folder_panel_switch->Value() == 1 ? 0 : 1);
  folder_panel_item->SetChecked(folder_panel_switch->Value() == 1);
}

void FrmMain::DragSplitter(const MouseArgs& m) {
  if (m.button != 1) return;
  splitter->SetLeft(splitter->Left() + m.x - 25);
  splitter->SetBackColor(kBlack);
}

void FrmMain::DropSplitter(const MouseArgs&) {
  // The panel keeps a usable width whatever the drag did.
  const int left = std::clamp(splitter->Left(), 400, std::max(ScaleWidth() - 1500, 400));
  splitter->SetLeft(left);
  drive_list->SetWidth(left - 40);
  folder_list->SetWidth(drive_list->Width());
  page_view->SetLeft(left + 50);
  page_view->SetWidth(ScaleWidth() - page_view->Left() - 40);
  splitter->SetBackColor(kButtonFace);
  SetFocus(*focus_holder);
}

}  // namespace tv
