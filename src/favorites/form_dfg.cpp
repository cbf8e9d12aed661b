// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/form_dfg.h"

#include <algorithm>

#include "favorites/favorites_dialog.h"
#include "favorites/favorites_store.h"
#include "frame/form_explore.h"
#include "program/application.h"

namespace tv {

namespace {

using FormDfgCommands = Commands<FormDfg>;

// clang-format off
constexpr Command<FormDfg> kFormDfgCommands[] = {
    FormDfgCommands::Button("Command1", "", "", &FormDfg::DeleteChosen).Text("删除(&D)").Named(&FormDfg::delete_button).Disabled(),
    FormDfgCommands::Button("Command2", "", "", &FormDfg::SaveList).Text("保存(&S)").Named(&FormDfg::save_button),
    // Escape does what the close box does.
    FormDfgCommands::Key("Escape", &FormDfg::Close),
};
// clang-format on

}  // namespace

FormDfg::FormDfg(Application& app, FormExplore& frame)
    : Form(app.Services(), "FormDfg"), app_(app), frame_(frame) {
  SetCaption("整理收藏夹");
  list = &Add(ControlKind::ListBox, "List1");
  list->SetToolTipText("鼠标单击可以复制网址");
  list->Move(120, 120, 7200, 4200);
  AddCommands(*this, kFormDfgCommands);
  list->Click = [this] { CopyChosenAddress(); };
  Resize(7440, 5040);
}

void FormDfg::Form_Load() {
  std::string text;
  Services().fs.ReadWhole(FavoritesPath(app_), text);  // a missing list is an empty one
  for (const std::string& line : FavoriteLines(text)) list->AddItem(line);
}

void FormDfg::Form_Resize() {
  const int w = ScaleWidth(), h = ScaleHeight();
  list->Move(120, 120, std::max(w - 240, 0), std::max(h - 840, 0));
  save_button->Move(std::max(w - 1420, 0), std::max(h - 600, 0), 1300, 420);
  delete_button->Move(std::max(w - 2880, 0), std::max(h - 600, 0), 1300, 420);
}

void FormDfg::CopyChosenAddress() {
  const int i = list->ListIndex();
  if (i < 0 || i >= static_cast<int>(list->List().size())) return;
  delete_button->SetEnabled(true);
  Services().clipboard.SetText(ParseFavorite(list->List()[static_cast<size_t>(i)]).address);
}

void FormDfg::DeleteChosen() {
  const int i = list->ListIndex();
  std::vector<std::string> entries = list->List();
  if (i < 0 || i >= static_cast<int>(entries.size())) return;
  entries.erase(entries.begin() + i);
  list->ClearList();
  for (const std::string& e : entries) list->AddItem(e);
  // The entry that now stands at the same place; none after the last one.
  if (i < static_cast<int>(entries.size())) list->SetListIndex(i);
}

void FormDfg::SaveList() {
  Platform& p = Services();
  if (!WriteFavorites(p.fs, FavoritesPath(app_), list->List())) {
    p.dialogs.MsgBox(this, "收藏夹没有保存，原来的收藏夹不变：" + FavoritesPath(app_),
                     MsgIcon::Exclamation, "整理收藏夹");
    return;
  }
  frame_.FillFavoritesMenu();
  app_.Unload(*this);
}

void FormDfg::Close() {
  RequestClose();
}

}  // namespace tv
