// SPDX-License-Identifier: GPL-3.0-or-later
// FormHtml: the source text of a page with its address and title; the user finds a text
// in it and saves it as a text file.
#pragma once

#include <string>

#include "platform/form.h"

namespace tv {

class Application;

class FormHtml : public Form {
 public:
  explicit FormHtml(Application& app);

  void Form_Resize() override;
  void FindInSource();
  void SaveSource();
  void Close();

  Control* Text1;  // the source, several lines
  Control* Text2;  // the address
  Control* Text3;  // the title

  std::string save_path;  // the file chosen last for saving

 private:
  Application& app_;
};

// Where `what` first occurs in `text`, letters compared without regard to case, in
// characters from the start; -1 when it does not occur.
int FindIgnoringCase(const std::string& text, const std::string& what);

// Makes, loads and shows a source window with the three texts.
FormHtml& ShowSourceWindow(Application& app, const std::string& source, const std::string& address,
                           const std::string& title);

}  // namespace tv
