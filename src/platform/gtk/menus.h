// SPDX-License-Identifier: GPL-3.0-or-later
// Menus built from the menu controls of a window: the menu bar, kept in step with the
// models, and pop-up menus built afresh each time they are shown.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <string>
#include <vector>

#include "platform/control.h"

namespace tv {

// "Ctrl+T" as GTK writes it: "<Control>t".
std::string Accelerator(const std::string& shortcut);
// The key and modifiers of a key name; false (and a warning naming it) when GTK cannot
// read it, so a mistyped name is never dropped without a word.
bool ParseShortcut(const std::string& shortcut, guint& key, GdkModifierType& mods);

class MenuSet {
 public:
  MenuSet() = default;
  ~MenuSet();
  MenuSet(const MenuSet&) = delete;
  MenuSet& operator=(const MenuSet&) = delete;

  // Fills `bar` with the entries; each entry's children become its menu.
  void BuildBar(GtkMenuShell* bar, const std::vector<Control*>& entries);
  // A new menu of `menu`'s children, for showing at the mouse. The items of the previous
  // pop-up stop reaching their models.
  GtkWidget* BuildPopup(Control& menu);
  // A menu control of the bar changed.
  void Update(Control& c, Prop p);
  // The models are going away: menu items no longer reach them.
  void Forget();
  // Where the bar's shortcuts ("Ctrl+T") are registered; set before BuildBar.
  void SetAccelGroup(GtkAccelGroup* accel) { accel_ = accel; }

 private:
  GtkWidget* BuildItem(Control& c, bool track);
  void FillMenu(GtkMenuShell* shell, Control& parent, bool track);
  void ReleasePopupItems();

  GtkAccelGroup* accel_ = nullptr;  // owned by the window
  std::map<Control*, GtkWidget*> bar_items_;
  std::vector<GtkWidget*> bar_refs_;    // items of the bar, with a reference held
  std::vector<GtkWidget*> popup_refs_;  // items of the latest pop-up, likewise
};

}  // namespace tv
