// SPDX-License-Identifier: GPL-3.0-or-later
// Modal dialogs. Every dialog returns the empty string when cancelled.
#pragma once

#include <string>

namespace tv {

class Form;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual std::string InputBox(Form* owner, const std::string& prompt, const std::string& title,
                               const std::string& preset) = 0;
  virtual void MsgBox(Form* owner, const std::string& text, MsgIcon icon,
                      const std::string& title) = 0;
  // A yes / no question; true only for yes.
  virtual bool Confirm(Form* owner, const std::string& text, const std::string& title) = 0;
  virtual std::string BrowseFolder(Form* owner, const std::string& title) = 0;
  // The filter has the four entries of the program's file dialogs; index is 1-based.
  virtual std::string OpenFile(Form* owner, const std::string& title,
                               const std::string& initial_folder, int filter_index) = 0;
  virtual std::string SaveFile(Form* owner, const std::string& title,
                               const std::string& initial_folder, const std::string& default_name,
                               int filter_index) = 0;
  virtual void About(Form* owner, const std::string& title, const std::string& text) = 0;
};

}  // namespace tv
