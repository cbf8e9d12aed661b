// SPDX-License-Identifier: GPL-3.0-or-later
// The browser frame on the headless front-end, for tests that call its procedures
// directly; the front-end's shell unless one is given. HOME and XDG point into a temporary
// folder.
#pragma once

#include <memory>
#include <sstream>

#include "frame/form_explore.h"
#include "platform/front_end.h"
#include "platform/posix/posix_services.h"
#include "program/application.h"
#include "support/test_env.h"
#include "webpics/form_web.h"

namespace tv::test {

struct BrowserRig {
  explicit BrowserRig(Shell* shell = nullptr)
      : front(MakeHeadlessFrontEnd(posix.fs, posix.paths)),
        platform(PlatformOf(posix, *front, posix.fs, shell)),
        app(platform, front->script) {
    front->script.out = &output;
    OpenBrowserFrame(app);
    frame = dynamic_cast<FormExplore*>(app.FindWindow("FormExplore"));
    platform.loop.DoEvents();
  }

  BrowserState& tabs() { return app.State().browser; }

  TempHome home;  // first: the services below read HOME and XDG
  PosixServices posix;
  std::unique_ptr<FrontEnd> front;
  Platform platform;
  std::ostringstream output;  // message boxes and pop-ups, one line each
  Application app;
  FormExplore* frame = nullptr;
};

}  // namespace tv::test
