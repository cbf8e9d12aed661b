// SPDX-License-Identifier: GPL-3.0-or-later
// The drive list (mounted file systems) and the folder list (the chain of folders down to
// the current one, with its subfolders below). Choosing an entry sets the control's path,
// which fires its Change; a path set by the logic redraws the list.
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/gtk/control_widget.h"
#include "platform/gtk/folder_chain.h"

namespace tv {

namespace {

enum { kColName, kColPath, kColIcon, kColCount };

void OnDriveChanged(GtkComboBox* combo, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.syncing) return;
  gchar* text = gtk_combo_box_text_get_active_text(GTK_COMBO_BOX_TEXT(combo));
  if (!text) return;
  std::string drive = text;
  g_free(text);
  w.control->SetPath(drive);
}

void SelectDrive(ControlWidget& w) {
  Syncing s(w);
  const std::string& path = w.control->Path();
  GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(w.inner));
  GtkTreeIter iter;
  int index = 0;
  for (bool ok = gtk_tree_model_get_iter_first(model, &iter); ok;
       ok = gtk_tree_model_iter_next(model, &iter), ++index) {
    gchar* text = nullptr;
    gtk_tree_model_get(model, &iter, 0, &text, -1);
    bool same = text && path == text;
    g_free(text);
    if (same) {
      gtk_combo_box_set_active(GTK_COMBO_BOX(w.inner), index);
      return;
    }
  }
  if (path.empty()) return;
  // A drive the mount list did not offer is added, so the box always shows its path.
  gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(w.inner), path.c_str());
  gtk_combo_box_set_active(GTK_COMBO_BOX(w.inner), index);
}

void OnFolderActivated(GtkTreeView* view, GtkTreePath* path, GtkTreeViewColumn*, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.syncing) return;
  GtkTreeModel* model = gtk_tree_view_get_model(view);
  GtkTreeIter iter;
  if (!gtk_tree_model_get_iter(model, &iter, path)) return;
  gchar* folder = nullptr;
  gtk_tree_model_get(model, &iter, kColPath, &folder, -1);
  std::string target = folder ? folder : "";
  g_free(folder);
  if (!target.empty()) w.control->SetPath(target);
}

void FillFolders(ControlWidget& w) {
  Syncing s(w);
  GtkTreeView* view = GTK_TREE_VIEW(w.inner);
  GtkTreeStore* store = GTK_TREE_STORE(gtk_tree_view_get_model(view));
  gtk_tree_store_clear(store);
  std::vector<std::string> chain = FolderChain(w.control->Path());
  if (chain.empty()) return;
  const std::string& current = chain.back();

  // The chain from the root down to the current folder, one level deeper each.
  GtkTreeIter parent, row;
  for (size_t i = 0; i < chain.size(); ++i) {
    const std::string& folder = chain[i];
    std::string name = i == 0 ? "/" : folder.substr(folder.rfind('/') + 1);
    bool last = i + 1 == chain.size();
    gtk_tree_store_insert_with_values(store, &row, i == 0 ? nullptr : &parent, -1, kColName,
                                      name.c_str(), kColPath, folder.c_str(), kColIcon,
                                      last ? "folder-open-symbolic" : "folder-symbolic", -1);
    parent = row;
  }
  GtkTreeIter current_row = row;

  std::vector<DirEntry> entries;
  if (w.fs) {
    w.fs->List(current, entries, [](const DirEntry& e) {
      return e.is_folder && !e.name.empty() && e.name[0] != '.';
    });
  }
  std::string prefix = current == "/" ? "/" : current + "/";
  for (const auto& e : entries) {
    std::string folder = prefix + e.name;
    gtk_tree_store_insert_with_values(store, nullptr, &current_row, -1, kColName, e.name.c_str(),
                                      kColPath, folder.c_str(), kColIcon, "folder-symbolic", -1);
  }
  gtk_tree_view_expand_all(view);
  GtkTreePath* path = gtk_tree_model_get_path(GTK_TREE_MODEL(store), &current_row);
  gtk_tree_selection_select_path(gtk_tree_view_get_selection(view), path);
  gtk_tree_path_free(path);
  // From the top, so the chain above the current folder stays in sight.
  GtkTreePath* root = gtk_tree_path_new_first();
  gtk_tree_view_scroll_to_cell(view, root, nullptr, TRUE, 0, 0);
  gtk_tree_path_free(root);
}

}  // namespace

void BuildFolderControl(ControlWidget& w) {
  if (w.control->Kind() == ControlKind::DriveList) {
    w.outer = w.inner = gtk_combo_box_text_new();
    if (w.fs) {
      for (const auto& drive : w.fs->Drives()) {
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(w.inner), drive.c_str());
      }
    }
    g_signal_connect(w.inner, "changed", G_CALLBACK(OnDriveChanged), &w);
    return;
  }
  GtkTreeStore* store = gtk_tree_store_new(kColCount, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
  w.inner = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  GtkTreeView* view = GTK_TREE_VIEW(w.inner);
  gtk_tree_view_set_headers_visible(view, FALSE);
  gtk_tree_view_set_show_expanders(view, FALSE);
  gtk_tree_view_set_level_indentation(view, 12);
  GtkTreeViewColumn* column = gtk_tree_view_column_new();
  GtkCellRenderer* icon = gtk_cell_renderer_pixbuf_new();
  GtkCellRenderer* text = gtk_cell_renderer_text_new();
  gtk_tree_view_column_pack_start(column, icon, FALSE);
  gtk_tree_view_column_pack_start(column, text, TRUE);
  gtk_tree_view_column_add_attribute(column, icon, "icon-name", kColIcon);
  gtk_tree_view_column_add_attribute(column, text, "text", kColName);
  gtk_tree_view_append_column(view, column);
  w.outer = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(w.outer), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(w.outer), w.inner);
  g_signal_connect(w.inner, "row-activated", G_CALLBACK(OnFolderActivated), &w);
}

void UpdateFolderControl(ControlWidget& w, Prop p) {
  if (p != Prop::Path) return;
  if (w.control->Kind() == ControlKind::DriveList) SelectDrive(w);
  if (w.control->Kind() == ControlKind::DirList) FillFolders(w);
}

}  // namespace tv
