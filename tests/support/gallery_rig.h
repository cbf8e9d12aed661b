// SPDX-License-Identifier: GPL-3.0-or-later
// A gallery window on the headless front-end over a chosen file system, for tests that
// call its handlers directly. HOME and XDG point into a temporary folder.
#pragma once

#include <memory>
#include <sstream>

#include "gallery/frm_main.h"
#include "platform/front_end.h"
#include "platform/posix/posix_services.h"
#include "program/application.h"
#include "support/test_env.h"

namespace tv::test {

struct GalleryRig {
  explicit GalleryRig(FileSystem& fs)
      : front(MakeHeadlessFrontEnd(fs, posix.paths)),
        platform(PlatformOf(posix, *front, fs)),
        app(platform, front->script),
        gallery(app) {
    front->script.out = &output;
    gallery.Realize();
  }

  // Queues the answer of the next dialog; nothing queued means cancel.
  void Answer(const std::string& text) { front->script.answers.push_back(text); }

  TempHome home;  // first: the services below read HOME and XDG
  PosixServices posix;
  std::unique_ptr<FrontEnd> front;
  Platform platform;
  std::ostringstream output;  // dialogs, message boxes and beeps, one line each
  Application app;
  FrmMain gallery;
};

}  // namespace tv::test
