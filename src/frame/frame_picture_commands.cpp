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

std::string FormExplore::DownloadFolder() const {
  // "download" and "Download" name one folder: the one made at load.
  return Services().paths.DownloadFolder();
}

void FormExplore::RefreshOrRescan() {
  FormWeb* child = ActiveChild();
  if (child) child->PageJavaConctrl();
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  if (pictures_switch->Value() == 0) {
    page->Web->View()->Refresh();
  } else {
    page->SearchPic();
  }
}

void FormExplore::CycleWidthMode() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->PictLaShen();
  page->SetFocus(*page->Cmb);
}

void FormExplore::NextLayout() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->PictFangZhen();
  page->SetFocus(*page->Cmb);
}

void FormExplore::CycleBackground() {
  if (++background_index > 9) background_index = 1;
  background = kBackgrounds[background_index - 1];
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->background_colour = background;
  page->LoadPic();
}

void FormExplore::SaveLargePictures() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  Control* button = FindControl("Command4");
  button->SetEnabled(false);
  state_.picture_saving.download_folder = DownloadFolder();
  page->AutoDownLoadImag();
  button->SetEnabled(true);
}

void FormExplore::OpenDownloadFolder() {
  OpenFolder(Services(), this, DownloadFolder());
}

void FormExplore::SavePageScreenshot() {
  if (FormWeb* child = ActiveChild()) child->ScreenSaveAs();
}

}  // namespace tv
