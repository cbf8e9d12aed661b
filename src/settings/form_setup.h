// SPDX-License-Identifier: GPL-3.0-or-later
// FormSetup: the browser's home page and its four switches, read from the settings and
// the in-memory flags, stored when the user confirms.
#pragma once

#include "platform/form.h"

namespace tv {

class Application;

class FormSetup : public Form {
 public:
  explicit FormSetup(Application& app);

  void Form_Load() override;
  void Accept();  // OK
  void Cancel();  // cancel

  Control* Frame1;         // "首页"
  Control* home_page_box;  // home page
  Control* Frame2;         // "选项"
  ControlArray switches;   // safe mode, ordinary blocking, background windows, downloads
  Control* ok_button;
  Control* cancel_button;

 private:
  Application& app_;
};

// Makes, loads and shows the options dialog over `owner`.
FormSetup& ShowOptionsDialog(Application& app, Form* owner);

}  // namespace tv
