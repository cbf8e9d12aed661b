// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "gallery/frm_main.h"
#include "host/html_view.h"
#include "program/application.h"
#include "webpics/form_web.h"

namespace tv {

void Application::MainLoop() {
  MessageLoop& loop = platform_.loop;
  while (!state_.exit_flag) {
    loop.WaitMessage();
    Form* active = state_.active_window;
    if (active) {
      if (auto wheel = loop.Take(InputMessage::Kind::Wheel, *active)) {
        if (state_.active_view && wheel->delta != 0) {
          state_.active_view->ScrollBy(0, wheel->delta < 0 ? 200 : -200);
        }
      } else if (gallery_ && active == gallery_.get()) {
        if (loop.Take(InputMessage::Kind::RightButtonUp, *gallery_)) {
          gallery_->SelectPictureUnderPointer();
          gallery_->PopupMenu(*gallery_->picture_menu);
        }
      }
    }
    // A right-click in a page of the browser, whichever window was active: the page menu.
    if (Form* frame = FindWindow("FormExplore")) {
      if (auto click = loop.Take(InputMessage::Kind::RightButtonUp, *frame)) {
        if (auto* page = dynamic_cast<FormWeb*>(click->window)) page->ShowPageMenu();
      }
    }
    loop.DoEvents();
    CollectUnloaded();
  }
}

}  // namespace tv
