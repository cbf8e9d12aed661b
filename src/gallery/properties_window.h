// SPDX-License-Identifier: GPL-3.0-or-later
// The properties of a picture file in a small window of the program's own: name, folder,
// size, change time and pixel size.
#pragma once

#include <string>

#include "platform/form.h"

namespace tv {

class Application;

class FormProperties : public Form {
 public:
  FormProperties(Application& app, const std::string& path);
  void Form_Resize() override;
  void Close();  // OK

  ControlArray Caption;  // the labels on the left
  ControlArray Value;    // the values on the right
  Control* ok_button;

 private:
  Application& app_;
};

// Opens the properties window of `path`; false when the file cannot be read.
bool ShowProperties(Application& app, const std::string& path, Form* owner);

// "2027-03-05 09:07:00" in local time.
std::string LocalTimeText(int64_t seconds_since_epoch);

}  // namespace tv
