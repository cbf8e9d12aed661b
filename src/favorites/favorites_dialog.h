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

  void TitleEdited();
  void AddressEdited();
  void Accept();
  void Cancel();
  void MakeFolder();  // new category folder

  Control* txtTitle;
  Control* txtUrl;
  Control* ok_button;
  Control* cancel_button;
  Control* new_folder_button;
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
