// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/menus.h"

#include <cctype>
#include <string>

#include "platform/gtk/mnemonic.h"

namespace tv {

namespace {

constexpr const char* kControlKey = "tv-control";
constexpr const char* kSyncKey = "tv-syncing";

Control* ControlOf(GtkWidget* item) {
  return static_cast<Control*>(g_object_get_data(G_OBJECT(item), kControlKey));
}

// A check item shows the model's mark; setting it activates the item, so that is muted.
void ShowCheck(GtkWidget* item, bool checked) {
  if (!GTK_IS_CHECK_MENU_ITEM(item)) return;
  g_object_set_data(G_OBJECT(item), kSyncKey, GINT_TO_POINTER(1));
  gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), checked);
  g_object_set_data(G_OBJECT(item), kSyncKey, nullptr);
}

void OnActivate(GtkMenuItem* item, gpointer) {
  GtkWidget* widget = GTK_WIDGET(item);
  if (g_object_get_data(G_OBJECT(item), kSyncKey)) return;
  Control* c = ControlOf(widget);
  if (!c) return;
  g_object_ref(item);
  c->FireClick();
  // The handler decides the mark; GTK has already flipped it.
  if (Control* still = ControlOf(widget)) ShowCheck(widget, still->Checked());
  g_object_unref(item);
}

void SetLabel(GtkWidget* item, const Control& c) {
  if (c.LiteralCaption) {
    gtk_menu_item_set_use_underline(GTK_MENU_ITEM(item), FALSE);
    // Bytes from a file may not be UTF-8; the label shows what it can of them.
    gchar* text = g_utf8_make_valid(c.Caption().c_str(), static_cast<gssize>(c.Caption().size()));
    gtk_menu_item_set_label(GTK_MENU_ITEM(item), text);
    g_free(text);
    return;
  }
  gtk_menu_item_set_label(GTK_MENU_ITEM(item), MnemonicFromCaption(c.Caption()).c_str());
  gtk_menu_item_set_use_underline(GTK_MENU_ITEM(item), TRUE);
}

}  // namespace

std::string Accelerator(const std::string& shortcut) {
  std::string out, rest = shortcut;
  for (size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size();) {
    const std::string mod = rest.substr(0, plus);
    out += mod == "Ctrl" ? "<Control>" : mod == "Shift" ? "<Shift>" : mod == "Alt" ? "<Alt>" : "";
    rest = rest.substr(plus + 1);
  }
  if (rest.size() == 1) rest = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
  return out + rest;
}

bool ParseShortcut(const std::string& shortcut, guint& key, GdkModifierType& mods) {
  key = 0;
  mods = static_cast<GdkModifierType>(0);
  gtk_accelerator_parse(Accelerator(shortcut).c_str(), &key, &mods);
  if (key == 0) g_warning("key name not understood: \"%s\"", shortcut.c_str());
  return key != 0;
}

MenuSet::~MenuSet() {
  Forget();
  for (GtkWidget* item : bar_refs_) g_object_unref(item);
  ReleasePopupItems();
}

void MenuSet::Forget() {
  for (GtkWidget* item : bar_refs_) g_object_set_data(G_OBJECT(item), kControlKey, nullptr);
  for (GtkWidget* item : popup_refs_) g_object_set_data(G_OBJECT(item), kControlKey, nullptr);
  bar_items_.clear();
}

void MenuSet::ReleasePopupItems() {
  for (GtkWidget* item : popup_refs_) {
    g_object_set_data(G_OBJECT(item), kControlKey, nullptr);
    g_object_unref(item);
  }
  popup_refs_.clear();
}

GtkWidget* MenuSet::BuildItem(Control& c, bool track) {
  GtkWidget* item = nullptr;
  if (c.Kind() == ControlKind::Separator) {
    item = gtk_separator_menu_item_new();
  } else if (c.Kind() == ControlKind::Menu || !c.Children().empty()) {
    item = gtk_menu_item_new();
    SetLabel(item, c);
    GtkWidget* menu = gtk_menu_new();
    FillMenu(GTK_MENU_SHELL(menu), c, track);
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
  } else {
    item = gtk_check_menu_item_new();
    SetLabel(item, c);
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), c.Checked());
  }
  g_object_ref_sink(item);
  (track ? bar_refs_ : popup_refs_).push_back(item);
  g_object_set_data(G_OBJECT(item), kControlKey, &c);
  if (track && accel_ && !c.Shortcut.empty()) {
    guint key = 0;
    GdkModifierType mods{};
    if (ParseShortcut(c.Shortcut, key, mods)) {
      gtk_widget_add_accelerator(item, "activate", accel_, key, mods, GTK_ACCEL_VISIBLE);
    }
  }
  if (c.Kind() != ControlKind::Separator) {
    g_signal_connect(item, "activate", G_CALLBACK(OnActivate), nullptr);
    gtk_widget_set_sensitive(item, c.Enabled());
  }
  gtk_widget_set_visible(item, c.Visible());
  if (track) bar_items_[&c] = item;
  return item;
}

void MenuSet::FillMenu(GtkMenuShell* shell, Control& parent, bool track) {
  for (Control* child : parent.Children()) {
    if (child) gtk_menu_shell_append(shell, BuildItem(*child, track));
  }
}

void MenuSet::BuildBar(GtkMenuShell* bar, const std::vector<Control*>& entries) {
  for (Control* entry : entries) {
    if (entry) gtk_menu_shell_append(bar, BuildItem(*entry, true));
  }
}

GtkWidget* MenuSet::BuildPopup(Control& menu) {
  ReleasePopupItems();
  GtkWidget* popup = gtk_menu_new();
  FillMenu(GTK_MENU_SHELL(popup), menu, false);
  return popup;
}

void MenuSet::Update(Control& c, Prop p) {
  auto it = bar_items_.find(&c);
  if (it == bar_items_.end()) return;
  GtkWidget* item = it->second;
  switch (p) {
    case Prop::Caption:
      if (GTK_IS_MENU_ITEM(item) && !GTK_IS_SEPARATOR_MENU_ITEM(item)) SetLabel(item, c);
      break;
    case Prop::Checked:
      ShowCheck(item, c.Checked());
      break;
    case Prop::Enabled:
      gtk_widget_set_sensitive(item, c.Enabled());
      break;
    case Prop::Visible:
      gtk_widget_set_visible(item, c.Visible());
      break;
    default:
      break;
  }
}

}  // namespace tv
