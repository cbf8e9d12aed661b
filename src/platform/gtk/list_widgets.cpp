// SPDX-License-Identifier: GPL-3.0-or-later
// Combo boxes (an entry with a drop-down list) and list boxes.
#include <functional>
#include <string>

#include "platform/gtk/control_widget.h"

namespace tv {

namespace {

GtkWidget* ComboEntry(ControlWidget& w) {
  return gtk_bin_get_child(GTK_BIN(w.inner));
}

// The entry has taken the chosen item's text before this runs.
void OnComboChanged(GtkComboBox* combo, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.syncing) return;
  int index = gtk_combo_box_get_active(combo);
  if (index >= 0) w.control->SetListIndex(index);
}

// The first entry of the control's list the widget does not show yet; 0 after the widget
// was emptied because the list was. Lists only grow between emptyings, so an address box
// that gains an entry for every closed page adds one row, not all of them again.
size_t FirstNewEntry(ControlWidget& w, const std::function<void()>& empty) {
  const Control& c = *w.control;
  if (w.list_clears != c.ListClears() || c.List().size() < w.list_rows) {
    empty();
    w.list_rows = 0;
    w.list_clears = c.ListClears();
  }
  const size_t first = w.list_rows;
  w.list_rows = c.List().size();
  return first;
}

void FillCombo(ControlWidget& w) {
  Syncing s(w);
  GtkComboBoxText* combo = GTK_COMBO_BOX_TEXT(w.inner);
  const auto& list = w.control->List();
  for (size_t i = FirstNewEntry(w, [combo] { gtk_combo_box_text_remove_all(combo); });
       i < list.size(); ++i) {
    gtk_combo_box_text_append_text(combo, list[i].c_str());
  }
  gtk_entry_set_text(GTK_ENTRY(ComboEntry(w)), w.control->Text().c_str());
}

void SelectListBoxRow(ControlWidget& w);

void OnSelectionChanged(GtkTreeSelection* selection, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.syncing) return;
  GtkTreeModel* model = nullptr;
  GtkTreeIter iter;
  if (!gtk_tree_selection_get_selected(selection, &model, &iter)) return;
  // A list taking the focus chooses its first row by itself; only a click or a key is
  // the user's choice.
  GdkEvent* event = gtk_get_current_event();
  const GdkEventType type = event ? event->type : GDK_NOTHING;
  if (event) gdk_event_free(event);
  if (type != GDK_BUTTON_PRESS && type != GDK_BUTTON_RELEASE && type != GDK_KEY_PRESS &&
      type != GDK_2BUTTON_PRESS) {
    SelectListBoxRow(w);  // back to the model's choice
    return;
  }
  GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
  int index = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  w.control->SetListIndex(index);
}

void OnRowActivated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer data) {
  static_cast<ControlWidget*>(data)->control->FireDblClick();
}

void FillListBox(ControlWidget& w) {
  Syncing s(w);
  GtkListStore* store = GTK_LIST_STORE(gtk_tree_view_get_model(GTK_TREE_VIEW(w.inner)));
  const auto& list = w.control->List();
  for (size_t i = FirstNewEntry(w, [store] { gtk_list_store_clear(store); }); i < list.size();
       ++i) {
    gtk_list_store_insert_with_values(store, nullptr, -1, 0, list[i].c_str(), -1);
  }
}

void SelectListBoxRow(ControlWidget& w) {
  Syncing s(w);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(w.inner));
  int index = w.control->ListIndex();
  if (index < 0) {
    gtk_tree_selection_unselect_all(selection);
    return;
  }
  GtkTreePath* path = gtk_tree_path_new_from_indices(index, -1);
  gtk_tree_selection_select_path(selection, path);
  gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(w.inner), path, nullptr, FALSE, 0, 0);
  gtk_tree_path_free(path);
}

}  // namespace

void BuildListControl(ControlWidget& w) {
  if (w.control->Kind() == ControlKind::ComboBox) {
    w.outer = w.inner = gtk_combo_box_text_new_with_entry();
    GtkWidget* entry = ComboEntry(w);
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 4);
    g_signal_connect(w.inner, "changed", G_CALLBACK(OnComboChanged), &w);
    g_signal_connect(entry, "changed", G_CALLBACK(OnEntryChanged), &w);
    ConnectKeys(entry, w);
    ConnectFocus(entry, w);
    ConnectEntryFilter(entry, w);
    return;
  }
  GtkListStore* store = gtk_list_store_new(1, G_TYPE_STRING);
  w.inner = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(w.inner), FALSE);
  gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(w.inner), -1, "",
                                              gtk_cell_renderer_text_new(), "text", 0, nullptr);
  w.outer = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(w.outer), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(w.outer), w.inner);
  g_signal_connect(gtk_tree_view_get_selection(GTK_TREE_VIEW(w.inner)), "changed",
                   G_CALLBACK(OnSelectionChanged), &w);
  g_signal_connect(w.inner, "row-activated", G_CALLBACK(OnRowActivated), &w);
  ConnectKeys(w.inner, w);
}

void UpdateListControl(ControlWidget& w, Prop p) {
  if (w.control->Kind() == ControlKind::ComboBox) {
    if (p == Prop::List) {
      FillCombo(w);
    } else if (p == Prop::ListIndex) {
      Syncing s(w);
      gtk_combo_box_set_active(GTK_COMBO_BOX(w.inner), w.control->ListIndex());
    } else if (p == Prop::Text) {
      const std::string& text = w.control->Text();
      GtkEntry* entry = GTK_ENTRY(ComboEntry(w));
      if (text != gtk_entry_get_text(entry)) {
        Syncing s(w);
        gtk_entry_set_text(entry, text.c_str());
      }
    }
    return;
  }
  if (w.control->Kind() != ControlKind::ListBox) return;
  if (p == Prop::List) FillListBox(w);
  if (p == Prop::List || p == Prop::ListIndex) SelectListBoxRow(w);
}

}  // namespace tv
