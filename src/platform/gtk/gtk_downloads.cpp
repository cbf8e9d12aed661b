// SPDX-License-Identifier: GPL-3.0-or-later
// Downloads handed over by the logic: the engine fetches the address into the file the
// logic named, or where a save dialog says, a small window shows the progress and a
// failure is said in a message.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>

#include "platform/front_end.h"
#include "platform/gtk/gio_shell.h"
#include "platform/gtk/gtk_dialogs.h"
#include "platform/gtk/page_downloads.h"
#include "platform/gtk/web_context.h"

namespace tv {

namespace {

struct DownloadWindow {
  GtkWidget* window = nullptr;
  GtkWidget* bar = nullptr;
  std::string address;
  std::string destination;        // the file to write; "" asks
  bool replace = false;           // a file at `destination` may be written over
  ScriptHooks* script = nullptr;  // a scripted run answers from its queue, says what fails
};

void Close(DownloadWindow* w) {
  if (w->window) gtk_widget_destroy(w->window);
  delete w;
}

// Writes the download to `path`, never over a file that is there.
bool SetDestination(WebKitDownload* download, const std::string& path, bool overwrite) {
  gchar* uri = path.empty() ? nullptr : g_filename_to_uri(path.c_str(), nullptr, nullptr);
  if (!uri) return false;
  webkit_download_set_allow_overwrite(download, overwrite);
  webkit_download_set_destination(download, uri);
  g_free(uri);
  return true;
}

gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer data) {
  auto* w = static_cast<DownloadWindow*>(data);
  if (!w->destination.empty()) {
    if (!SetDestination(download, w->destination, w->replace)) {
      webkit_download_cancel(download);
      return TRUE;
    }
    if (!(w->script && w->script->active)) gtk_widget_show_all(w->window);
    return TRUE;
  }
  if (w->script && w->script->active) {
    const std::string path = w->script->NextAnswer();
    gchar* uri = path.empty() ? nullptr : g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (!uri) {
      webkit_download_cancel(download);
      return TRUE;
    }
    webkit_download_set_allow_overwrite(download, TRUE);
    webkit_download_set_destination(download, uri);
    g_free(uri);
    return TRUE;
  }
  GtkWidget* chooser =
      gtk_file_chooser_dialog_new("保存文件", nullptr, GTK_FILE_CHOOSER_ACTION_SAVE, "取消",
                                  GTK_RESPONSE_CANCEL, "保存", GTK_RESPONSE_ACCEPT, nullptr);
  gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(chooser), TRUE);
  if (suggested && *suggested)
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), suggested);
  const bool chosen = gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT;
  gchar* uri = chosen ? gtk_file_chooser_get_uri(GTK_FILE_CHOOSER(chooser)) : nullptr;
  gtk_widget_destroy(chooser);
  if (!uri) {
    webkit_download_cancel(download);
    return TRUE;
  }
  webkit_download_set_allow_overwrite(download, TRUE);
  webkit_download_set_destination(download, uri);
  g_free(uri);
  gtk_widget_show_all(w->window);
  return TRUE;
}

void OnProgress(WebKitDownload* download, GParamSpec*, gpointer data) {
  auto* w = static_cast<DownloadWindow*>(data);
  gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(w->bar),
                                webkit_download_get_estimated_progress(download));
}

void OnFailed(WebKitDownload*, GError* error, gpointer data) {
  auto* w = static_cast<DownloadWindow*>(data);
  // A cancelled save dialog is no failure to report.
  if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER))
    return;
  if (w->script && w->script->active) {
    w->script->Report("message: 下载网络文件: 下载失败：" + w->address);
    return;
  }
  GtkWidget* box = NewMessageBox(nullptr, GTK_MESSAGE_WARNING,
                                 "下载失败：" + w->address + "\n" + (error ? error->message : ""));
  gtk_window_set_title(GTK_WINDOW(box), "下载网络文件");
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

void OnFinished(WebKitDownload* download, gpointer data) {
  g_signal_handlers_disconnect_by_data(download, data);
  Close(static_cast<DownloadWindow*>(data));
  g_object_unref(download);
}

DownloadWindow* NewDownloadWindow(const std::string& address, const std::string& destination,
                                  ScriptHooks& script) {
  auto* w = new DownloadWindow;
  w->address = address;
  w->destination = destination;
  w->script = &script;
  w->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(w->window), "下载网络文件");
  gtk_window_set_default_size(GTK_WINDOW(w->window), 420, -1);
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_container_set_border_width(GTK_CONTAINER(box), 12);
  GtkWidget* label = gtk_label_new(address.c_str());
  gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_MIDDLE);
  w->bar = gtk_progress_bar_new();
  gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), w->bar, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(w->window), box);
  return w;
}

void Follow(WebKitDownload* download, DownloadWindow* w) {
  g_object_ref(download);
  g_signal_connect(download, "notify::estimated-progress", G_CALLBACK(OnProgress), w);
  g_signal_connect(download, "failed", G_CALLBACK(OnFailed), w);
  g_signal_connect(download, "finished", G_CALLBACK(OnFinished), w);
}

}  // namespace

void FollowDownload(WebKitDownload* download, const std::string& address,
                    const std::string& destination, ScriptHooks& script) {
  if (script.active) script.Report("download: " + address + " to " + destination);
  DownloadWindow* w = NewDownloadWindow(address, destination, script);
  Follow(download, w);
  if (!script.active) gtk_widget_show_all(w->window);
}

bool GioShell::DownloadFile(const std::string& address, const std::string& destination,
                            bool replace) {
  // A scripted run says what it downloads and, asked nowhere, takes the place to save it
  // from the script.
  if (script_.active)
    script_.Report("download: " + address + (destination.empty() ? "" : " to " + destination));
  if (address.empty()) return false;
  DownloadWindow* w = NewDownloadWindow(address, destination, script_);
  w->replace = replace;
  WebKitDownload* download =
      webkit_web_context_download_uri(ProgramWebContext(nullptr), address.c_str());
  if (!download) {
    Close(w);
    return false;
  }
  RegisterProgramDownload(download);
  g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), w);
  Follow(download, w);
  // webkit_web_context_download_uri gave the one reference Follow took again.
  g_object_unref(download);
  return true;
}

}  // namespace tv
