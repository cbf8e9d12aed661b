#include "platform/gtk/local_pictures.h"

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include <string>

namespace tv {

namespace {

constexpr char kScheme[] = "tessaview-file";

void Refuse(WebKitURISchemeRequest* request) {
  GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no such picture");
  webkit_uri_scheme_request_finish_error(request, error);
  g_error_free(error);
}

// Answers "tessaview-file:///path" with the bytes of that file, for local pages only: a
// web page must not learn which files the user has.
void OnRequest(WebKitURISchemeRequest* request, gpointer) {
  WebKitWebView* view = webkit_uri_scheme_request_get_web_view(request);
  const char* page = view ? webkit_web_view_get_uri(view) : nullptr;
  const std::string uri = webkit_uri_scheme_request_get_uri(request);
  if (!page || !g_str_has_prefix(page, "file:")) return Refuse(request);
  const std::string file_uri = "file" + uri.substr(sizeof kScheme - 1);
  GFile* file = g_file_new_for_uri(file_uri.c_str());
  GFileInfo* info =
      g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_TYPE "," G_FILE_ATTRIBUTE_STANDARD_SIZE,
                        G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
  GFileInputStream* stream = nullptr;
  if (info && g_file_info_get_file_type(info) == G_FILE_TYPE_REGULAR) {
    stream = g_file_read(file, nullptr, nullptr);
  }
  if (stream) {
    webkit_uri_scheme_request_finish(request, G_INPUT_STREAM(stream), g_file_info_get_size(info),
                                     nullptr);
    g_object_unref(stream);
  } else {
    Refuse(request);
  }
  if (info) g_object_unref(info);
  g_object_unref(file);
}

std::string ExtensionFolder() {
  // Beside the program, else where the build put it.
  gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
  std::string folder;
  if (exe) {
    gchar* dir = g_path_get_dirname(exe);
    folder = std::string(dir) + "/webext";
    g_free(dir);
    g_free(exe);
  }
  if (g_file_test((folder + "/" TV_WEBEXT_NAME).c_str(), G_FILE_TEST_IS_REGULAR)) return folder;
  return TV_WEBEXT_BUILD_DIR;
}

void OnInitializeExtensions(WebKitWebContext* context, gpointer) {
  webkit_web_context_set_web_extensions_directory(context, ExtensionFolder().c_str());
}

}  // namespace

void InstallLocalPictures() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  WebKitWebContext* context = webkit_web_context_get_default();
  g_signal_connect(context, "initialize-web-extensions", G_CALLBACK(OnInitializeExtensions),
                   nullptr);
  webkit_web_context_register_uri_scheme(context, kScheme, OnRequest, nullptr, nullptr);
  // Only local pages may load from a local scheme.
  webkit_security_manager_register_uri_scheme_as_local(
      webkit_web_context_get_security_manager(context), kScheme);
}

}  // namespace tv
