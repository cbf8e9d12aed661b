// SPDX-License-Identifier: GPL-3.0-or-later
// Page downloads: each waits, its destination unset, until the logic names a file or
// drops it; the engine's own download folder is never used.
#include "platform/gtk/page_downloads.h"
#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

constexpr char kProgramDownloadKey[] = "tessaview-program-download";

std::string RequestAddress(WebKitDownload* download) {
  WebKitURIRequest* request = webkit_download_get_request(download);
  const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
  return uri ? uri : "";
}

gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested, gpointer) {
  // The program's own downloads have handlers of their own.
  if (IsProgramDownload(download)) return FALSE;
  WebKitHtmlView* view = WebKitHtmlView::OfView(webkit_download_get_web_view(download));
  if (!view) {
    webkit_download_cancel(download);
    return TRUE;
  }
  view->OnPageDownload(download, suggested ? suggested : "");
  return TRUE;  // the destination comes later, or the download is cancelled
}

void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer) {
  g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), nullptr);
}

void OnWaitingFailed(WebKitDownload* download, GError*, gpointer data) {
  static_cast<WebKitHtmlView*>(data)->OnPageDownloadFailed(download);
}

}  // namespace

void RegisterProgramDownload(WebKitDownload* download) {
  if (download) g_object_set_data(G_OBJECT(download), kProgramDownloadKey, GINT_TO_POINTER(1));
}

bool IsProgramDownload(WebKitDownload* download) {
  return g_object_get_data(G_OBJECT(download), kProgramDownloadKey) != nullptr;
}

void InstallPageDownloads(WebKitWebContext* context) {
  g_signal_connect(context, "download-started", G_CALLBACK(OnDownloadStarted), nullptr);
}

int WebKitHtmlView::next_download_ = 0;

void WebKitHtmlView::OnPageDownload(WebKitDownload* download, const std::string& suggested_name) {
  if (!events.PageDownload) {
    webkit_download_cancel(download);
    return;
  }
  const int id = ++next_download_;
  page_downloads_[id] = WEBKIT_DOWNLOAD(g_object_ref(download));
  g_signal_connect(download, "failed", G_CALLBACK(OnWaitingFailed), this);
  events.PageDownload(id, RequestAddress(download), suggested_name);
}

void WebKitHtmlView::OnPageDownloadFailed(WebKitDownload* download) {
  for (auto it = page_downloads_.begin(); it != page_downloads_.end(); ++it) {
    if (it->second != download) continue;
    g_signal_handlers_disconnect_by_data(download, this);
    g_object_unref(download);
    page_downloads_.erase(it);
    return;
  }
}

void WebKitHtmlView::SaveDownload(int id, const std::string& path) {
  auto it = page_downloads_.find(id);
  if (it == page_downloads_.end()) return;
  WebKitDownload* download = it->second;
  page_downloads_.erase(it);
  g_signal_handlers_disconnect_by_data(download, this);
  gchar* uri =
      path.empty() || path[0] != '/' ? nullptr : g_filename_to_uri(path.c_str(), nullptr, nullptr);
  if (!uri) {
    webkit_download_cancel(download);
  } else {
    // Never over a file that is there: the logic chose a free name.
    webkit_download_set_allow_overwrite(download, FALSE);
    FollowDownload(download, RequestAddress(download), path, script_);
    webkit_download_set_destination(download, uri);
    g_free(uri);
  }
  g_object_unref(download);
}

void WebKitHtmlView::DropDownload(int id) {
  auto it = page_downloads_.find(id);
  if (it == page_downloads_.end()) return;
  WebKitDownload* download = it->second;
  page_downloads_.erase(it);
  g_signal_handlers_disconnect_by_data(download, this);
  webkit_download_cancel(download);
  g_object_unref(download);
}

}  // namespace tv
