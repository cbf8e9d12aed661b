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
  void Command1_Click();  // OK
  void Command2_Click();  // cancel

  Control* Frame1;   // "首页"
  Control* ComUrl;   // home page
  Control* Frame2;   // "选项"
  ControlArray Chk;  // safe mode, ordinary blocking, background windows, downloads
  Control* Command1;
  Control* Command2;

 private:
  Application& app_;
};

// Makes, loads and shows the options dialog over `owner`.
FormSetup& ShowOptionsDialog(Application& app, Form* owner);

}  // namespace tv
