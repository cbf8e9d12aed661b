// SPDX-License-Identifier: GPL-3.0-or-later
// Scrolling the page: the two buttons that scroll slowly until pressed again, and the
// tab menu's jumps to the top and the bottom.
#include <algorithm>

#include "frame/form_explore.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr int kSlowStep = 2;            // pixels a tick of auto_scroll_timer
constexpr int kJumpLength = 201 * 150;  // a stop jumps at least this far
constexpr int kPageEndLength = 301 * 50;

// One scroll far enough to reach the end of the document, however tall it is.
void ScrollToEnd(HtmlView& view, int direction, int at_least) {
  const int length = std::max(at_least, view.ScrollHeight());
  view.ScrollBy(0, direction * length);
}

}  // namespace

void FormExplore::ToggleAutoScroll(int index) {
  ScrollDir = static_cast<int16_t>(index);
  Control& button = scroll_buttons[index];
  if (button.BackColor() == kYellow) {
    // Second press: stop and jump to that end.
    auto_scroll_timer->SetTimerEnabled(false);
    if (HtmlView* view = state_.active_view) ScrollToEnd(*view, index == 1 ? 1 : -1, kJumpLength);
    button.SetBackColor(kButtonFace);
    if (FormWeb* page = b_.CurrentPage()) {
      page->SetFocus(*page->focus_holder);
      page->SetActivate();
    }
    return;
  }
  button.SetBackColor(kYellow);
  scroll_buttons[1 - index].SetBackColor(kButtonFace);
  auto_scroll_timer->SetTimerEnabled(true);
}

void FormExplore::AutoScrollTick() {
  if (HtmlView* view = state_.active_view)
    view->ScrollBy(0, ScrollDir == 1 ? kSlowStep : -kSlowStep);
}

void FormExplore::PageEnd(int direction) {
  if (FormWeb* page = b_.CurrentPage()) ScrollToEnd(*page->Web->View(), direction, kPageEndLength);
}

}  // namespace tv
