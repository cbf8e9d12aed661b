// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/favorites_dialog.h"

#include "favorites/favorites_store.h"
#include "frame/form_explore.h"
#include "program/application.h"
#include "program/file_dialogs.h"

namespace tv {

std::string FavoritesFolder(Application& app) {
  return app.Services().paths.ProgramFolder() + "Favorites/";
}

std::string FavoritesPath(Application& app) {
  return app.Services().paths.ProgramFolder() + kFavoritesFile;
}

namespace {

using FavoritesCommands = Commands<Favorites>;

// clang-format off
constexpr Command<Favorites> kFavoritesCommands[] = {
    FavoritesCommands::Button("Command1", "", "", &Favorites::MakeFolder).Text("新建目录").Named(&Favorites::new_folder_button),
    FavoritesCommands::Button("cmdOK", "", "", &Favorites::Accept).Text("确定").Named(&Favorites::ok_button),
    FavoritesCommands::Button("cmdCancel", "", "", &Favorites::Cancel).Text("取消").Named(&Favorites::cancel_button),
    FavoritesCommands::Key("Escape", &Favorites::Cancel),
};
// clang-format on

}  // namespace

Favorites::Favorites(Application& app, FormExplore& frame)
    : Form(app.Services(), "Favorites"), app_(app), frame_(frame) {
  SetCaption("添加到收藏夹");
  Control& banner = Add(ControlKind::Label, "Label3");
  banner.SetCaption("Lumbra看图浏览器将把该页添加到您的收藏夹列表中……");
  banner.Move(240, 180, 6600, 300);
  Control& name = Add(ControlKind::Label, "Label1");
  name.SetCaption("网站名称(&U)：");
  name.Move(240, 720, 1500, 300);
  txtTitle = &Add(ControlKind::TextBox, "txtTitle");
  txtTitle->Move(1800, 660, 5040, 360);
  Control& address = Add(ControlKind::Label, "Label2");
  address.SetCaption("网站地址(&P)：");
  address.Move(240, 1200, 1500, 300);
  txtUrl = &Add(ControlKind::TextBox, "txtUrl");
  txtUrl->Move(1800, 1140, 5040, 360);
  Check1 = &Add(ControlKind::CheckBox, "Check1");
  Check1->SetCaption("允许脱机使用");
  Check1->Move(240, 1680, 2400, 330);
  Control& folder = Add(ControlKind::Label, "Label4");
  folder.SetCaption("选择目录(&S)：");
  folder.Move(240, 2160, 1500, 300);
  AddCommands(*this, kFavoritesCommands);
  new_folder_button->Move(1800, 2100, 1400, 420);
  ok_button->Move(4080, 2100, 1300, 420);
  cancel_button->Move(5540, 2100, 1300, 420);

  txtTitle->Change = [this] { TitleEdited(); };
  txtUrl->Change = [this] { AddressEdited(); };
  Resize(7080, 2760);
}

void Favorites::TitleEdited() {
  txtTitle->SetToolTipText(txtTitle->Text());
}

void Favorites::AddressEdited() {
  txtUrl->SetToolTipText(txtUrl->Text());
}

void Favorites::Accept() {
  if (txtUrl->Text().empty() || txtTitle->Text().empty()) return;
  const std::string title = txtTitle->Text();
  txtTitle->SetText(StoredFavoriteTitle(title));
  Platform& p = Services();
  if (!AddFavorite(p.fs, FavoritesPath(app_), title, txtUrl->Text())) {
    // The list is left as it was; the dialog stays so the user can try again.
    txtTitle->SetText(title);
    p.dialogs.MsgBox(this, "收藏夹没有保存：" + FavoritesPath(app_), MsgIcon::Exclamation,
                     "添加到收藏夹");
    return;
  }
  frame_.FillFavoritesMenu();
  app_.Unload(*this);
}

void Favorites::Cancel() {
  app_.Unload(*this);
}

void Favorites::MakeFolder() {
  const std::string answer =
      Services().dialogs.InputBox(this, "请输入新的分类目录", "新建目录", "网址之家");
  if (answer.empty()) return;
  // One folder inside the favourites folder: a name cannot lead out of it.
  const std::string name = CleanFileName(answer);
  if (name.empty() || name == "." || name == "..") return;
  Services().fs.CreateFolder(FavoritesFolder(app_) + name);
}

}  // namespace tv
