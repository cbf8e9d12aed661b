// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/form_dfg.h"

#include <algorithm>

#include "favorites/favorites_dialog.h"
#include "favorites/favorites_store.h"
#include "frame/form_explore.h"
#include "program/application.h"

namespace tv {

FormDfg::FormDfg(Application& app, FormExplore& frame)
    : Form(app.Services(), "FormDfg"), app_(app), frame_(frame) {
  SetCaption("整理收藏夹");
  List1 = &Add(ControlKind::ListBox, "List1");
  List1->SetToolTipText("鼠标单击可以复制网址");
  List1->Move(120, 120, 7200, 4200);
  Command1 = &Add(ControlKind::Button, "Command1");
  Command1->SetCaption("删除(&D)");
  Command1->SetEnabled(false);
  Command2 = &Add(ControlKind::Button, "Command2");
  Command2->SetCaption("保存(&S)");
  List1->Click = [this] { List1_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  // Escape does what the close box does.
  shortcuts.push_back({"Escape", [this] { RequestClose(); }});
  Resize(7440, 5040);
}

void FormDfg::Form_Load() {
  std::string text;
  Services().fs.ReadWhole(FavoritesPath(app_), text);  // a missing list is an empty one
  for (const std::string& line : FavoriteLines(text)) List1->AddItem(line);
}

void FormDfg::Form_Resize() {
  const int w = ScaleWidth(), h = ScaleHeight();
  List1->Move(120, 120, std::max(w - 240, 0), std::max(h - 840, 0));
  Command2->Move(std::max(w - 1420, 0), std::max(h - 600, 0), 1300, 420);
  Command1->Move(std::max(w - 2880, 0), std::max(h - 600, 0), 1300, 420);
}

void FormDfg::List1_Click() {
  const int i = List1->ListIndex();
  if (i < 0 || i >= static_cast<int>(List1->List().size())) return;
  Command1->SetEnabled(true);
  Services().clipboard.SetText(ParseFavorite(List1->List()[static_cast<size_t>(i)]).address);
}

void FormDfg::Command1_Click() {
  const int i = List1->ListIndex();
  std::vector<std::string> entries = List1->List();
  if (i < 0 || i >= static_cast<int>(entries.size())) return;
  entries.erase(entries.begin() + i);
  List1->ClearList();
  for (const std::string& e : entries) List1->AddItem(e);
  // The entry that now stands at the same place; none after the last one.
  if (i < static_cast<int>(entries.size())) List1->SetListIndex(i);
}

void FormDfg::Command2_Click() {
  Platform& p = Services();
  if (!WriteFavorites(p.fs, FavoritesPath(app_), List1->List())) {
    p.dialogs.MsgBox(this, "收藏夹没有保存，原来的收藏夹不变：" + FavoritesPath(app_),
                     MsgIcon::Exclamation, "整理收藏夹");
    return;
  }
  frame_.FillFavoritesMenu();
  app_.Unload(*this);
}

}  // namespace tv
