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

void FormExplore::WireKeys() {
  auto key = [this](const char* keys, std::function<void()> run) {
    shortcuts.push_back({keys, std::move(run)});
  };
  key("Ctrl+L", [this] { FocusAddress(); });
  key("Ctrl+Tab", [this] { StepTab(1); });
  key("Ctrl+Page_Down", [this] { StepTab(1); });
  key("Ctrl+Shift+Tab", [this] { StepTab(-1); });
  key("Ctrl+Page_Up", [this] { StepTab(-1); });
  key("Ctrl+R", [this] { FindControl("shuaxin")->FireClick(); });
  key("Ctrl+plus", [this] { ZoomPage(1); });
  key("Ctrl+equal", [this] { ZoomPage(1); });
  key("Ctrl+KP_Add", [this] { ZoomPage(1); });
  key("Ctrl+minus", [this] { ZoomPage(-1); });
  key("Ctrl+KP_Subtract", [this] { ZoomPage(-1); });
  key("Ctrl+0", [this] { ZoomPage(0); });
  key("Alt+Left", [this] { CmdPage_Click(0); });
  key("Alt+Right", [this] { CmdPage_Click(1); });
  key("Alt+Home", [this] { FindControl("Command5")->FireClick(); });
}

void FormExplore::FocusAddress() {
  // The box takes the focus at once, without the first focus's bounce through the page.
  FocusBounced = true;
  SetFocus(*TextUrl);
  TextUrl->SetSelection(0, static_cast<int>(TextUrl->Text().size()));
}

void FormExplore::StepTab(int step) {
  const BrowserState& b = b_;
  if (b.TabCount < 2 || b.CurTab < 0) return;
  const int next = ((b.CurTab + step) % b.TabCount + b.TabCount) % b.TabCount;
  TextLab_MouseUp(b.TabOrder[static_cast<size_t>(next)], MouseArgs{1, 0, 0, 0});
}

void FormExplore::ZoomPage(int step) {
  HtmlView* view = ChildView();
  if (!view) return;
  const double now = view->ZoomLevel();
  const double next = step > 0 ? now * kZoomStep : step < 0 ? now / kZoomStep : 1.0;
  view->SetZoomLevel(std::clamp(next, kZoomMin, kZoomMax));
}

void FormExplore::Tingzhi_Click() {
  // Escape leaves full screen first, then closes the find bar, and only then stops.
  if (FullScreen()) {
    ShowMe_Click();
  } else if (FindText->Visible()) {
    FindBar_Close();
  } else if (HtmlView* view = ChildView()) {
    view->Stop();
  }
}

void FormExplore::ShowMe_Click() {
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
    PaiLie();
  }
  if (FormWeb* page = b_.CurrentPage()) page->SetFocus(*page->Cmb);
}

}  // namespace tv
