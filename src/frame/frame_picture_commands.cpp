// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's picture commands: the gallery's layout and background, the manual download,
// the download folder, the page screenshot and the refresh that scans again.
#include "frame/form_explore.h"
#include "gallery/open_folder.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "program/page_backgrounds.h"
#include "webpics/form_web.h"

namespace tv {

std::string FormExplore::DownloadFolder() const {
  // "download" and "Download" name one folder: the one made at load.
  return Services().paths.DownloadFolder();
}

void FormExplore::RefreshOrRescan() {
  FormWeb* child = ActiveChild();
  if (child) child->ApplyPageSwitches();
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
  page->CycleWidthMode();
  page->SetFocus(*page->focus_holder);
}

void FormExplore::NextLayout() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->NextLayout();
  page->SetFocus(*page->focus_holder);
}

void FormExplore::CycleBackground() {
  if (++background_index > kBackgroundCount) background_index = 1;
  background = kBackgroundCycle[background_index - 1];
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
  page->SaveLargePictures();
  button->SetEnabled(true);
}

void FormExplore::OpenDownloadFolder() {
  OpenFolder(Services(), this, DownloadFolder());
}

void FormExplore::SavePageScreenshot() {
  if (FormWeb* child = ActiveChild()) child->ScreenSaveAs();
}

}  // namespace tv
