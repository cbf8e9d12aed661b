// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/gtk_clipboard.h"

#include <gtk/gtk.h>

namespace tv {

namespace {
GtkClipboard* Board() {
  return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
}
}  // namespace

void GtkClipboardService::SetText(const std::string& text) {
  if (script_.active) {
    scripted_text_ = text;
    script_.Report("clipboard: text " + text);
    return;
  }
  gtk_clipboard_set_text(Board(), text.c_str(), static_cast<gint>(text.size()));
  // Kept available after the program ends, where a clipboard manager runs.
  gtk_clipboard_store(Board());
}

std::string GtkClipboardService::GetText() {
  if (script_.active) return scripted_text_;
  gchar* text = gtk_clipboard_wait_for_text(Board());
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

bool GtkClipboardService::SetPictureFromFile(const std::string& path) {
  GdkPixbuf* picture = gdk_pixbuf_new_from_file(path.c_str(), nullptr);
  if (!picture) return false;
  if (script_.active) {
    script_.Report("clipboard: picture " + path);
  } else {
    gtk_clipboard_set_image(Board(), picture);
    gtk_clipboard_store(Board());
  }
  g_object_unref(picture);
  return true;
}

}  // namespace tv
