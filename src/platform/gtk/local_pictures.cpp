// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/local_pictures.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/gtk/interface_gl.h"
#include "platform/gtk/program_files.h"
#include "reduced_pictures/picture_requests.h"
#include "reduced_pictures/reduced_pictures.h"
#include "reduced_pictures/served_pictures.h"

namespace tv {

namespace {

constexpr char kWidthsKey[] = "tessaview-picture-widths";

void Refuse(WebKitURISchemeRequest* request) {
  GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no such picture");
  webkit_uri_scheme_request_finish_error(request, error);
  g_error_free(error);
}

struct Job {
  WebKitURISchemeRequest* request = nullptr;  // owned; answered on the main loop
  std::string path;
  int width = 0;
  bool whole = false;  // asked at its own size by an address of its own
  reduced::ReducedPicture picture;
  GInputStream* stream = nullptr;  // the file itself, opened by the worker
  gint64 length = -1;
  std::optional<reduced::FileVersion> version;  // of the file the answer was read from
};

// Read and written on the main loop only.
reduced::ServedPictures& Served() {
  static reduced::ServedPictures served;
  return served;
}

// The engine may keep what it is answered, by the page's "file:" address: the answer is
// noted, and copies that no longer fit are dropped before the next local page loads.
void Finish(const Job& job, GInputStream* stream, gint64 length, const char* mime) {
  WebKitURISchemeResponse* response = webkit_uri_scheme_response_new(stream, length);
  if (mime) webkit_uri_scheme_response_set_content_type(response, mime);
  webkit_uri_scheme_request_finish_with_response(job.request, response);
  g_object_unref(response);
  // An own-size copy has an address of its own: it never stands for the page's address.
  if (!job.whole) Served().Served(job.path, job.width, job.version);
}

gboolean Answer(gpointer data) {
  std::unique_ptr<Job> job(static_cast<Job*>(data));
  if (job->picture.kind == reduced::ReducedPicture::kMade) {
    GBytes* bytes = g_bytes_new(job->picture.bytes.data(), job->picture.bytes.size());
    GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
    Finish(*job, stream, static_cast<gint64>(g_bytes_get_size(bytes)), job->picture.mime.c_str());
    g_object_unref(stream);
    g_bytes_unref(bytes);
  } else if (job->stream) {
    Finish(*job, job->stream, job->length, nullptr);
    g_object_unref(job->stream);
  } else {
    Refuse(job->request);
  }
  g_object_unref(job->request);
  return G_SOURCE_REMOVE;
}

// Runs on a worker: reads the cache or decodes, then hands the answer to the main loop.
void Work(gpointer data, gpointer) {
  auto* job = static_cast<Job*>(data);
  const auto cache = PageThumbnails();
  job->version = reduced::VersionOf(job->path);
  job->picture = reduced::ReducePicture(cache, job->path, job->width);
  if (job->picture.kind == reduced::ReducedPicture::kOriginal) {
    GFile* file = g_file_new_for_path(job->path.c_str());
    GFileInfo* info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_SIZE,
                                        G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
    GFileInputStream* stream = info ? g_file_read(file, nullptr, nullptr) : nullptr;
    if (stream) {
      job->stream = G_INPUT_STREAM(stream);
      job->length = g_file_info_get_size(info);
    }
    if (info) g_object_unref(info);
    g_object_unref(file);
  }
  g_main_context_invoke(nullptr, Answer, job);
}

// One worker a core; pictures are taken in the order the page asks for them.
GThreadPool* Workers() {
  static GThreadPool* pool =
      g_thread_pool_new(Work, nullptr, static_cast<gint>(g_get_num_processors()), FALSE, nullptr);
  return pool;
}

const reduced::PictureWidths* WidthsOf(WebKitWebView* view) {
  return static_cast<const reduced::PictureWidths*>(g_object_get_data(G_OBJECT(view), kWidthsKey));
}

int ShownWidth(WebKitWebView* view, const std::string& path) {
  const auto* widths = WidthsOf(view);
  return widths ? widths->Shown(path, gtk_widget_get_scale_factor(GTK_WIDGET(view))) : 0;
}

// Answers "tessaview-file:///path" with the picture at `path` as large as the view's page
// shows it, for local pages only.
void OnRequest(WebKitURISchemeRequest* request, gpointer) {
  WebKitWebView* view = webkit_uri_scheme_request_get_web_view(request);
  const char* page = view ? webkit_web_view_get_uri(view) : nullptr;
  const auto asked =
      reduced::ReadPictureRequest(page ? page : "", webkit_uri_scheme_request_get_uri(request));
  if (!asked) return Refuse(request);
  gchar* path = g_filename_from_uri(asked->file_address.c_str(), nullptr, nullptr);
  if (!path) return Refuse(request);
  auto* job = new Job;
  job->request = WEBKIT_URI_SCHEME_REQUEST(g_object_ref(request));
  job->path = path;
  g_free(path);
  job->whole = asked->whole;
  job->width = asked->whole ? 0 : ShownWidth(view, job->path);
  g_thread_pool_push(Workers(), job, nullptr);
}

void OnInitializeExtensions(WebKitWebContext* context, gpointer) {
  webkit_web_context_set_web_extensions_directory(context,
                                                  ExtensionFolder(RunningProgram()).c_str());
  webkit_web_context_set_web_extensions_initialization_user_data(context, GlDriverSetting());
}

}  // namespace

void InstallLocalPictures(WebKitWebContext* context) {
  // The cache is trimmed once a run, beside the program's own work.
  g_thread_unref(g_thread_new(
      "thumbnail-trim",
      [](gpointer) -> gpointer {
        reduced::TrimThumbnails(PageThumbnails(), reduced::kThumbnailCap);
        return nullptr;
      },
      nullptr));
  g_signal_connect(context, "initialize-web-extensions", G_CALLBACK(OnInitializeExtensions),
                   nullptr);
  webkit_web_context_register_uri_scheme(context, reduced::kPictureScheme, OnRequest, nullptr,
                                         nullptr);
  // Only local pages may load from a local scheme.
  webkit_security_manager_register_uri_scheme_as_local(
      webkit_web_context_get_security_manager(context), reduced::kPictureScheme);
}

reduced::ThumbnailCache PageThumbnails() {
  return reduced::ThumbnailCache::ForUser(TV_PROGRAM_VERSION);
}

void SetPictureWidths(WebKitWebView* view, const std::vector<std::pair<std::string, int>>& widths) {
  g_object_set_data_full(G_OBJECT(view), kWidthsKey, new reduced::PictureWidths(widths),
                         [](gpointer data) { delete static_cast<reduced::PictureWidths*>(data); });
}

void DropOutgrownPictures(WebKitWebView* view) {
  const auto* widths = WidthsOf(view);
  const bool stale = widths ? Served().Stale(*widths, gtk_widget_get_scale_factor(GTK_WIDGET(view)),
                                             reduced::VersionOf)
                            : Served().AnyReduced();
  if (!stale) return;
  // Sent to the web processes before the page's own load, on the same connection.
  WebKitWebsiteDataManager* data =
      webkit_web_context_get_website_data_manager(webkit_web_view_get_context(view));
  webkit_website_data_manager_clear(data, WEBKIT_WEBSITE_DATA_MEMORY_CACHE, 0, nullptr, nullptr,
                                    nullptr);
  Served().Forget();
}

}  // namespace tv
