// SPDX-License-Identifier: GPL-3.0-or-later
// FormDfg: the favourites organiser. It lists the entries, copies an entry's address on a
// click, deletes entries and writes the list back.
#pragma once

#include "platform/form.h"

namespace tv {

class Application;
class FormExplore;

class FormDfg : public Form {
 public:
  FormDfg(Application& app, FormExplore& frame);

  void Form_Load() override;
  void Form_Resize() override;
  void CopyChosenAddress();
  void DeleteChosen();  // delete
  void SaveList();
  void Close();  // as the close box  // save

  Control* list;
  Control* delete_button;
  Control* save_button;

 private:
  Application& app_;
  FormExplore& frame_;
};

}  // namespace tv
