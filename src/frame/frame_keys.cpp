// SPDX-License-Identifier: GPL-3.0-or-later
// The keys a browser's user reaches for that no menu item shows, and full screen.
#include <algorithm>

#include "frame/form_explore.h"
#include "host/html_view.h"
#include "program/application.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr double kZoomStep = 1.1, kZoomMin = 0.3, kZoomMax = 5.0;

}  // namespace

void FormExplore::NextTab() {
  StepTab(1);
}

void FormExplore::PreviousTab() {
  StepTab(-1);
}

void FormExplore::ZoomPageIn() {
  ZoomPage(1);
}

void FormExplore::ZoomPageOut() {
  ZoomPage(-1);
}

void FormExplore::ResetPageZoom() {
  ZoomPage(0);
}

void FormExplore::GoBack() {
  GoBackOrForward(0);
}

void FormExplore::GoForward() {
  GoBackOrForward(1);
}

void FormExplore::FocusAddress() {
  // The box takes the focus at once, without the first focus's bounce through the page.
  FocusBounced = true;
  SetFocus(*address_box);
  address_box->SetSelection(0, static_cast<int>(address_box->Text().size()));
}

void FormExplore::StepTab(int step) {
  const BrowserState& b = b_;
  if (b.TabCount < 2 || b.CurTab < 0) return;
  const int next = ((b.CurTab + step) % b.TabCount + b.TabCount) % b.TabCount;
  TabLabelMouseUp(b.TabOrder[static_cast<size_t>(next)], MouseArgs{1, 0, 0, 0});
}

void FormExplore::ZoomPage(int step) {
  HtmlView* view = ChildView();
  if (!view) return;
  const double now = view->ZoomLevel();
  const double next = step > 0 ? now * kZoomStep : step < 0 ? now / kZoomStep : 1.0;
  view->SetZoomLevel(std::clamp(next, kZoomMin, kZoomMax));
}

void FormExplore::StopOrLeave() {
  // Escape leaves full screen first, then closes the find bar, and only then stops.
  if (FullScreen()) {
    ToggleFullScreen();
  } else if (find_box->Visible()) {
    CloseFindBar();
  } else if (HtmlView* view = ChildView()) {
    view->Stop();
  }
}

void FormExplore::ToggleFullScreen() {
  // Everything of the frame but the pages gives way; what was shown comes back.
  const bool on = !FullScreen();
  if (on) {
    hidden_for_full_.clear();
    for (const auto& c : Controls()) {
      const ControlKind k = c->Kind();
      if (k == ControlKind::Menu || k == ControlKind::MenuItem || k == ControlKind::Separator ||
          k == ControlKind::Timer || !c->Visible())
        continue;
      c->SetVisible(false);
      hidden_for_full_.push_back(c.get());
    }
  } else {
    for (Control* c : hidden_for_full_) c->SetVisible(true);
    hidden_for_full_.clear();
  }
  SetFullScreen(on);
  if (!on) {
    laid_width_ = -1;
    LayOutTabs();
  }
  if (FormWeb* page = b_.CurrentPage()) page->SetFocus(*page->focus_holder);
}

}  // namespace tv
