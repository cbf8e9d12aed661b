// SPDX-License-Identifier: GPL-3.0-or-later
// How the current page looks: zoom, background, layout, scrolling and the folder panel.
#include <algorithm>
#include <string>

#include "gallery/frm_main.h"
#include "host/html_view.h"
#include "program/application.h"
#include "settings/kept_windows.h"
#include "settings/settings_store.h"

namespace tv {

namespace {

constexpr const char* kBackgrounds[] = {"#FFFFFF", "#FF0000", "#CC6600", "#FFFF00", "#33CC00",
                                        "#33FFCC", "#3300FF", "#FF00FF", "#000000", "#FFFFFF"};
constexpr int kSpeeds[] = {2, 4, 8, 16, 32};

}  // namespace

void FrmMain::BigP_Click(int index) {
  int z = zoom < 15 ? 15 : zoom;
  z += index == 0 ? 10 : -10;
  zoom = static_cast<int16_t>(std::min(z, kMaxGalleryZoom));
  ZOOMIE(zoom);
  SetFocus(*Web);
  KeepLook();
}

void FrmMain::ZOOMIE(int16_t percent) {
  Web->View()->ExecScript("document.body.style.zoom='" + std::to_string(percent) + "%'", "JScript");
}

void FrmMain::ImgComb_Click() {
  if (state_.pictures.count == 0) return;
  colour_index = static_cast<int16_t>(colour_index + 1 > 9 ? 1 : colour_index + 1);
  background = kBackgrounds[colour_index];
  WritePage();
  SetFocus(*Cmb);
  KeepLook();
}

void FrmMain::Command7_Click() {
  if (state_.pictures.count == 0) return;
  display_mode = display_mode + 1 > 4 ? 0 : display_mode + 1;
  WritePage();
  KeepLook();
}

void FrmMain::ShowKeptLook(const GalleryLook& look) {
  display_mode = look.display_mode;
  colour_index = look.colour_index;
  background = kBackgrounds[colour_index];
  kept_width_mode_ = look.width_toggle;
  kept_zoom_ = look.zoom == 100 ? 0 : look.zoom;
}

void FrmMain::KeepLook() {
  GalleryLook look;
  look.display_mode = display_mode;
  // What the first page of the run has not shown yet is still the look to keep.
  look.width_toggle = kept_width_mode_ != 0 ? kept_width_mode_ : width_toggle;
  look.zoom = kept_zoom_ != 0 ? kept_zoom_ : zoom >= 5 ? zoom : 100;
  look.colour_index = colour_index;
  SettingsStore store(Services().settings);
  KeepGalleryLook(store, look);
}

void FrmMain::MoveUp_Click(int index) {
  scroll_direction = static_cast<int16_t>(index);
  if (MoveUp[index].BackColor() == kYellow) {
    MoveUp[index].SetBackColor(kButtonFace);
    Timer1->SetTimerEnabled(false);
    SetFocus(*Web);
  } else {
    MoveUp[index].SetBackColor(kYellow);
    MoveUp[1 - index].SetBackColor(kButtonFace);
    Timer1->SetTimerEnabled(true);
  }
}

void FrmMain::Timer1_Timer() {
  Web->View()->ScrollBy(0, scroll_direction == 1 ? scroll_step : -scroll_step);
}

void FrmMain::Speed_Click(int index) {
  if (index < 0 || index > 4) return;
  for (int i = 0; i < 5; ++i) Speed[i].SetChecked(i == index);
  scroll_step = kSpeeds[index];
}

void FrmMain::ToolsTop_Click() {
  for (int i = 0; i < 201; ++i) Web->View()->ScrollBy(0, -150);
  SetFocus(*Cmb);
}

void FrmMain::ToolsButton_Click() {
  for (int i = 0; i < 201; ++i) Web->View()->ScrollBy(0, 150);
  SetFocus(*Cmb);
}

void FrmMain::Cmb_KeyDown(int key_code) {
  if (key_code == 38) Web->View()->ScrollBy(0, -100);
  if (key_code == 40) Web->View()->ScrollBy(0, 100);
}

void FrmMain::ChkFace_Click() {
  const bool shown = ChkFace->Value() == 1;
  for (Control* c : {Drive1, Dir1, law}) c->SetVisible(shown);
  Web->SetLeft(shown ? Drive1->Width() + 80 : 40);
  Web->SetWidth(ScaleWidth() - Web->Left() - 40);
}

void FrmMain::EviewPath_Click() {
  ChkFace->SetValue(ChkFace->Value() == 1 ? 0 : 1);
  EviewPath->SetChecked(ChkFace->Value() == 1);
}

void FrmMain::law_MouseMove(const MouseArgs& m) {
  if (m.button != 1) return;
  law->SetLeft(law->Left() + m.x - 25);
  law->SetBackColor(kBlack);
}

void FrmMain::law_MouseUp(const MouseArgs&) {
  // The panel keeps a usable width whatever the drag did.
  const int left = std::clamp(law->Left(), 400, std::max(ScaleWidth() - 1500, 400));
  law->SetLeft(left);
  Drive1->SetWidth(left - 40);
  Dir1->SetWidth(Drive1->Width());
  Web->SetLeft(left + 50);
  Web->SetWidth(ScaleWidth() - Web->Left() - 40);
  law->SetBackColor(kButtonFace);
  SetFocus(*Cmb);
}

}  // namespace tv
