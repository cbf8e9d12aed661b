// SPDX-License-Identifier: GPL-3.0-or-later
// Favorites: the dialog that adds the current page to the favourites list.
#pragma once

#include <string>

#include "platform/form.h"

namespace tv {

class Application;
class FormExplore;

class Favorites : public Form {
 public:
  Favorites(Application& app, FormExplore& frame);

  void txtTitle_Change();
  void txtUrl_Change();
  void cmdOK_Click();
  void cmdCancel_Click();
  void Command1_Click();  // new category folder

  Control* txtTitle;
  Control* txtUrl;
  Control* cmdOK;
  Control* cmdCancel;
  Control* Command1;
  Control* Check1;  // "允许脱机使用", for show

 private:
  Application& app_;
  FormExplore& frame_;
};

// The folder of category folders: program folder + "Favorites/".
std::string FavoritesFolder(Application& app);
// The favourites list: program folder + "Fav.rar".
std::string FavoritesPath(Application& app);

}  // namespace tv
