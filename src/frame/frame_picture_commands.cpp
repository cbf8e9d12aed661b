// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's picture commands: the gallery's layout and background, the manual download,
// the download folder, the page screenshot and the refresh that scans again.
#include "frame/form_explore.h"
#include "gallery/open_folder.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr const char* kBackgrounds[] = {"#FF0000", "#CC6600", "#FFFF00", "#33CC00", "#33FFCC",
                                        "#3300FF", "#FF00FF", "#000000", "#FFFFFF"};

}  // namespace

void FormExplore::WirePictureCommands() {
  auto on = [this](const char* name, std::function<void()> handler) {
    FindControl(name)->Click = std::move(handler);
  };
  on("Command2", [this] { Command2_Click(); });
  on("Command10", [this] { Command10_Click(); });
  on("Command7", [this] { Command7_Click(); });
  on("ImgComb", [this] { ImgComb_Click(); });
  on("Command4", [this] { Command4_Click(); });
  on("Command6", [this] { Command6_Click(); });
  on("PrintScreen", [this] { PrintScreen_Click(); });
  on("PrintScreen2", [this] { PrintScreen_Click(); });
}

std::string FormExplore::DownloadFolder() const {
  // "download" and "Download" name one folder: the one made at load.
  return Services().paths.DownloadFolder();
}

void FormExplore::Command2_Click() {
  FormWeb* child = ActiveChild();
  if (child) child->PageJavaConctrl();
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  if (Chk->Value() == 0) {
    page->Web->View()->Refresh();
  } else {
    page->SearchPic();
  }
}

void FormExplore::Command10_Click() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->PictLaShen();
  page->SetFocus(*page->Cmb);
}

void FormExplore::Command7_Click() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->PictFangZhen();
  page->SetFocus(*page->Cmb);
}

void FormExplore::ImgComb_Click() {
  if (++BgIndex > 9) BgIndex = 1;
  BgColor = kBackgrounds[BgIndex - 1];
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->background_colour = BgColor;
  page->LoadPic();
}

void FormExplore::Command4_Click() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  Control* button = FindControl("Command4");
  button->SetEnabled(false);
  state_.picture_saving.download_folder = DownloadFolder();
  page->AutoDownLoadImag();
  button->SetEnabled(true);
}

void FormExplore::Command6_Click() {
  OpenFolder(Services(), this, DownloadFolder());
}

void FormExplore::PrintScreen_Click() {
  if (FormWeb* child = ActiveChild()) child->ScreenSaveAs();
}

}  // namespace tv
