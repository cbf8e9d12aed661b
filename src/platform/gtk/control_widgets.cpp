// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "platform/gtk/control_widget.h"
#include "platform/gtk/css_colors.h"
#include "platform/gtk/mnemonic.h"
#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

// Picture buttons carry no caption; the window's design names their themed icon.
const char* IconFor(const Control& c) {
  return c.Picture.empty() ? "image-x-generic-symbolic" : c.Picture.c_str();
}

// What a screen reader says for a button: its caption, or for a picture button, which
// shows none, its tooltip.
void SetAccessibleName(ControlWidget& w) {
  const Control& c = *w.control;
  if (c.Kind() != ControlKind::Button && c.Kind() != ControlKind::CheckBox) return;
  const std::string name = c.Caption().empty() ? c.ToolTipText() : PlainCaption(c.Caption());
  atk_object_set_name(gtk_widget_get_accessible(w.outer), name.c_str());
}

void SetButtonFace(ControlWidget& w) {
  GtkButton* button = GTK_BUTTON(w.outer);
  const std::string& caption = w.control->Caption();
  if (caption.empty()) {
    gtk_button_set_label(button, nullptr);
    gtk_button_set_image(button,
                         gtk_image_new_from_icon_name(IconFor(*w.control), GTK_ICON_SIZE_BUTTON));
    gtk_button_set_always_show_image(button, TRUE);
  } else {
    gtk_button_set_image(button, nullptr);
    gtk_button_set_label(button, MnemonicFromCaption(caption).c_str());
    gtk_button_set_use_underline(button, TRUE);
  }
}

void OnClicked(GtkButton*, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (!w.syncing) w.control->FireClick();
}

void OnToggled(GtkToggleButton* button, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.syncing) return;
  // The model fires Click; the widget then shows whatever value the handler left.
  w.control->SetValue(gtk_toggle_button_get_active(button) ? 1 : 0);
  Syncing s(w);
  gtk_toggle_button_set_active(button, w.control->Value() != 0);
}

void OnBufferChanged(GtkTextBuffer* buffer, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.syncing) return;
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
  std::string value = text ? text : "";
  g_free(text);
  w.control->SetText(value);
}

// A text box made tall enough for several lines is the multi-line kind.
constexpr int kMultiLineTwips = 600;

void BuildTextBox(ControlWidget& w) {
  if (w.control->Height() >= kMultiLineTwips) {
    w.inner = gtk_text_view_new();
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(w.inner), GTK_WRAP_WORD_CHAR);
    w.outer = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(w.outer), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(w.outer), w.inner);
    gtk_widget_show(w.inner);
    g_signal_connect(gtk_text_view_get_buffer(GTK_TEXT_VIEW(w.inner)), "changed",
                     G_CALLBACK(OnBufferChanged), &w);
  } else {
    w.outer = w.inner = gtk_entry_new();
    g_signal_connect(w.inner, "changed", G_CALLBACK(OnEntryChanged), &w);
    ConnectEntryFilter(w.inner, w);
    ConnectMouse(w.inner, w);
  }
  ConnectKeys(w.inner, w);
  ConnectFocus(w.inner, w);
}

void SetTextBoxText(ControlWidget& w) {
  const std::string& text = w.control->Text();
  Syncing s(w);
  if (GTK_IS_TEXT_VIEW(w.inner)) {
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(w.inner)), text.c_str(), -1);
  } else if (text != gtk_entry_get_text(GTK_ENTRY(w.inner))) {
    gtk_entry_set_text(GTK_ENTRY(w.inner), text.c_str());
  }
}

// The model's selection, in characters, shown in the box.
void SelectText(ControlWidget& w) {
  const Control& c = *w.control;
  Syncing s(w);
  if (GTK_IS_TEXT_VIEW(w.inner)) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(w.inner));
    GtkTextIter start, end;
    gtk_text_buffer_get_iter_at_offset(buffer, &start, c.SelStart());
    gtk_text_buffer_get_iter_at_offset(buffer, &end, c.SelStart() + c.SelLength());
    gtk_text_buffer_select_range(buffer, &start, &end);
    gtk_text_view_scroll_to_iter(GTK_TEXT_VIEW(w.inner), &start, 0.1, FALSE, 0, 0);
  } else if (GTK_IS_EDITABLE(w.inner)) {
    gtk_editable_select_region(GTK_EDITABLE(w.inner), c.SelStart(), c.SelStart() + c.SelLength());
  }
}

void UpdateCaption(ControlWidget& w) {
  Control& c = *w.control;
  switch (c.Kind()) {
    case ControlKind::Label:
      gtk_label_set_text(GTK_LABEL(w.inner), c.Caption().c_str());
      break;
    case ControlKind::Button:
      SetButtonFace(w);
      break;
    case ControlKind::CheckBox:
      if (!c.Caption().empty()) {
        gtk_button_set_label(GTK_BUTTON(w.outer), MnemonicFromCaption(c.Caption()).c_str());
      }
      break;
    case ControlKind::Frame:
      gtk_frame_set_label(GTK_FRAME(w.outer),
                          c.Caption().empty() ? nullptr : PlainCaption(c.Caption()).c_str());
      break;
    default:
      break;
  }
}

void UpdateColors(ControlWidget& w) {
  Control& c = *w.control;
  switch (c.Kind()) {
    case ControlKind::PictureBox:
    case ControlKind::Image:
      gtk_widget_queue_draw(w.inner);
      break;
    case ControlKind::Label:
      ApplyColors(w.inner, &w.inner_css, c.BackColor(), c.ForeColor());
      break;
    case ControlKind::View:
      break;
    default:
      ApplyColors(w.outer, &w.outer_css, c.BackColor(), c.ForeColor());
      break;
  }
}

}  // namespace

void OnEntryChanged(GtkEditable* editable, gpointer data) {
  auto& w = *static_cast<ControlWidget*>(data);
  if (w.syncing) return;
  gchar* text = gtk_editable_get_chars(editable, 0, -1);
  std::string value = text ? text : "";
  g_free(text);
  w.control->SetText(value);
}

bool BuildControlWidget(ControlWidget& w) {
  Control& c = *w.control;
  switch (c.Kind()) {
    case ControlKind::Timer:
    case ControlKind::Menu:
    case ControlKind::MenuItem:
    case ControlKind::Separator:
      return false;
    case ControlKind::Button:
      w.outer = w.inner = gtk_button_new();
      gtk_widget_set_focus_on_click(w.outer, FALSE);
      g_signal_connect(w.outer, "clicked", G_CALLBACK(OnClicked), &w);
      break;
    case ControlKind::CheckBox:
      if (c.Caption().empty()) {
        w.outer = gtk_toggle_button_new();
        gtk_button_set_image(GTK_BUTTON(w.outer),
                             gtk_image_new_from_icon_name(IconFor(c), GTK_ICON_SIZE_BUTTON));
      } else {
        w.outer = gtk_check_button_new();
      }
      w.inner = w.outer;
      gtk_widget_set_focus_on_click(w.outer, FALSE);
      g_signal_connect(w.outer, "toggled", G_CALLBACK(OnToggled), &w);
      break;
    case ControlKind::TextBox:
      BuildTextBox(w);
      break;
    case ControlKind::Frame:
      w.outer = w.inner = gtk_frame_new(nullptr);
      break;
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
      BuildListControl(w);
      break;
    case ControlKind::DriveList:
    case ControlKind::DirList:
      BuildFolderControl(w);
      break;
    case ControlKind::Label:
    case ControlKind::PictureBox:
    case ControlKind::Image:
      BuildSurfaceControl(w);
      break;
    case ControlKind::View:
      w.outer = w.inner = WebViewWidget(c.View());
      if (!w.outer) w.outer = w.inner = gtk_drawing_area_new();
      ConnectFocus(w.inner, w);
      break;
  }
  if (!w.outer) return false;
  if (c.Kind() != ControlKind::View) gtk_widget_show(w.inner);
  for (Prop p : {Prop::Caption, Prop::Text, Prop::ToolTipText, Prop::Enabled, Prop::Value,
                 Prop::BackColor, Prop::List, Prop::ListIndex, Prop::Path}) {
    UpdateControlWidget(w, p);
  }
  return true;
}

void UpdateControlWidget(ControlWidget& w, Prop p) {
  Control& c = *w.control;
  switch (p) {
    case Prop::Caption:
      UpdateCaption(w);
      SetAccessibleName(w);
      break;
    case Prop::Text:
      if (c.Kind() == ControlKind::TextBox) SetTextBoxText(w);
      if (c.Kind() == ControlKind::ComboBox) UpdateListControl(w, p);
      break;
    case Prop::ToolTipText:
      gtk_widget_set_tooltip_text(w.outer,
                                  c.ToolTipText().empty() ? nullptr : c.ToolTipText().c_str());
      SetAccessibleName(w);
      break;
    case Prop::Enabled:
      gtk_widget_set_sensitive(w.outer, c.Enabled());
      break;
    case Prop::Visible:
      gtk_widget_set_visible(w.outer, c.Visible());
      break;
    case Prop::Value:
      if (c.Kind() == ControlKind::CheckBox) {
        Syncing s(w);
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w.outer), c.Value() != 0);
      }
      break;
    case Prop::BackColor:
    case Prop::ForeColor:
      UpdateColors(w);
      break;
    case Prop::List:
    case Prop::ListIndex:
      UpdateListControl(w, p);
      break;
    case Prop::Path:
      UpdateFolderControl(w, p);
      break;
    case Prop::Selection:
      if (c.Kind() == ControlKind::TextBox) SelectText(w);
      break;
    default:
      break;
  }
}

void DetachControlWidget(ControlWidget& w) {
  if (w.outer) g_signal_handlers_disconnect_by_data(w.outer, &w);
  if (w.inner && w.inner != w.outer) g_signal_handlers_disconnect_by_data(w.inner, &w);
  if (w.inner && GTK_IS_TEXT_VIEW(w.inner)) {
    g_signal_handlers_disconnect_by_data(gtk_text_view_get_buffer(GTK_TEXT_VIEW(w.inner)), &w);
  }
  if (w.inner && GTK_IS_TREE_VIEW(w.inner)) {
    g_signal_handlers_disconnect_by_data(gtk_tree_view_get_selection(GTK_TREE_VIEW(w.inner)), &w);
  }
  if (w.inner && GTK_IS_COMBO_BOX(w.inner) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(w.inner))) {
    g_signal_handlers_disconnect_by_data(gtk_bin_get_child(GTK_BIN(w.inner)), &w);
  }
  if (w.outer_css) g_object_unref(w.outer_css);
  if (w.inner_css) g_object_unref(w.inner_css);
  w.outer_css = w.inner_css = nullptr;
}

}  // namespace tv
