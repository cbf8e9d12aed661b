// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/gtk_dialogs.h"

#include <gtk/gtk.h>

#include "platform/gtk/file_filter.h"
#include "platform/gtk/native_window.h"

namespace tv {

namespace {

// The program's filter entries; `index` (1-based) is preselected.
void AddFilters(GtkFileChooser* chooser, int index) {
  int n = 0;
  for (const FileFilterEntry& entry : FileDialogFilters()) {
    GtkFileFilter* filter = NewGtkFileFilter(entry);
    gtk_file_chooser_add_filter(chooser, filter);
    if (++n == index) gtk_file_chooser_set_filter(chooser, filter);
  }
}

std::string RunChooser(GtkWidget* dialog) {
  std::string result;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
    gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
    if (name) result = name;
    g_free(name);
  }
  gtk_widget_destroy(dialog);
  return result;
}

GtkWidget* NewChooser(Form* owner, const std::string& title, GtkFileChooserAction action,
                      const char* accept) {
  return gtk_file_chooser_dialog_new(title.c_str(), ToplevelOf(owner), action, "取消(_C)",
                                     GTK_RESPONSE_CANCEL, accept, GTK_RESPONSE_ACCEPT, nullptr);
}

}  // namespace

GtkWidget* NewMessageBox(GtkWindow* parent, GtkMessageType type, const std::string& text) {
  // GTK's own OK button follows the system's language, not the program's.
  GtkWidget* dialog =
      gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, type, GTK_BUTTONS_NONE, "%s", text.c_str());
  gtk_dialog_add_button(GTK_DIALOG(dialog), "确定(_O)", GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  return dialog;
}

std::string GtkDialogs::InputBox(Form* owner, const std::string& prompt, const std::string& title,
                                 const std::string& preset) {
  if (script_.active) {
    script_.Report("input: " + title + ": " + preset);
    return script_.NextAnswer();
  }
  GtkWidget* dialog = gtk_dialog_new_with_buttons(
      title.c_str(), ToplevelOf(owner), static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL), "确定(_O)",
      GTK_RESPONSE_OK, "取消(_C)", GTK_RESPONSE_CANCEL, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
  gtk_container_set_border_width(GTK_CONTAINER(area), 12);
  gtk_box_set_spacing(GTK_BOX(area), 8);
  GtkWidget* label = gtk_label_new(prompt.c_str());
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_text(GTK_ENTRY(entry), preset.c_str());
  gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 40);
  gtk_box_pack_start(GTK_BOX(area), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(area), entry, FALSE, FALSE, 0);
  gtk_widget_show_all(area);
  std::string result;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
    result = gtk_entry_get_text(GTK_ENTRY(entry));
  }
  gtk_widget_destroy(dialog);
  return result;
}

void GtkDialogs::MsgBox(Form* owner, const std::string& text, MsgIcon icon,
                        const std::string& title) {
  if (script_.active) {
    script_.Report("message: " + title + ": " + text);
    return;
  }
  GtkMessageType type = GTK_MESSAGE_OTHER;
  switch (icon) {
    case MsgIcon::Critical:
      type = GTK_MESSAGE_ERROR;
      break;
    case MsgIcon::Question:
      type = GTK_MESSAGE_QUESTION;
      break;
    case MsgIcon::Exclamation:
      type = GTK_MESSAGE_WARNING;
      break;
    case MsgIcon::Information:
      type = GTK_MESSAGE_INFO;
      break;
    case MsgIcon::None:
      break;
  }
  GtkWidget* dialog = NewMessageBox(ToplevelOf(owner), type, text);
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

bool GtkDialogs::Confirm(Form* owner, const std::string& text, const std::string& title) {
  if (script_.active) {
    script_.Report("question: " + title + ": " + text);
    return script_.NextAnswer() == "yes";
  }
  GtkWidget* dialog =
      gtk_message_dialog_new(ToplevelOf(owner), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                             GTK_BUTTONS_NONE, "%s", text.c_str());
  gtk_dialog_add_buttons(GTK_DIALOG(dialog), "否(_N)", GTK_RESPONSE_NO, "是(_Y)", GTK_RESPONSE_YES,
                         nullptr);
  // No is the default: Enter or Escape keeps the file.
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_NO);
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  const bool yes = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_YES;
  gtk_widget_destroy(dialog);
  return yes;
}

std::string GtkDialogs::BrowseFolder(Form* owner, const std::string& title) {
  if (script_.active) {
    script_.Report("folder: " + title);
    return script_.NextAnswer();
  }
  return RunChooser(NewChooser(owner, title, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "选择(_S)"));
}

std::string GtkDialogs::OpenFile(Form* owner, const std::string& title,
                                 const std::string& initial_folder, int filter_index) {
  if (script_.active) {
    script_.Report("open: " + title);
    return script_.NextAnswer();
  }
  GtkWidget* dialog = NewChooser(owner, title, GTK_FILE_CHOOSER_ACTION_OPEN, "打开(_O)");
  AddFilters(GTK_FILE_CHOOSER(dialog), filter_index);
  if (!initial_folder.empty()) {
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), initial_folder.c_str());
  }
  return RunChooser(dialog);
}

std::string GtkDialogs::SaveFile(Form* owner, const std::string& title,
                                 const std::string& initial_folder, const std::string& default_name,
                                 int filter_index) {
  if (script_.active) {
    script_.Report("save: " + title + ": " + default_name);
    return script_.NextAnswer();
  }
  GtkWidget* dialog = NewChooser(owner, title, GTK_FILE_CHOOSER_ACTION_SAVE, "保存(_S)");
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  AddFilters(chooser, filter_index);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);
  if (!initial_folder.empty()) gtk_file_chooser_set_current_folder(chooser, initial_folder.c_str());
  std::string name = default_name;
  auto slash = name.rfind('/');
  if (slash != std::string::npos) {
    std::string folder = slash == 0 ? "/" : name.substr(0, slash);
    gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    name = name.substr(slash + 1);
  }
  gtk_file_chooser_set_current_name(chooser, name.c_str());
  return RunChooser(dialog);
}

void GtkDialogs::About(Form* owner, const std::string& title, const std::string& text) {
  if (script_.active) {
    script_.Report("about: " + title);
    return;
  }
  GtkWidget* dialog = NewMessageBox(ToplevelOf(owner), GTK_MESSAGE_INFO, title);
  gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

}  // namespace tv
