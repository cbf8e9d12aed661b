// Runs inside the engine's web processes. The engine reads a file: address as UTF-8 text,
// so a picture whose file name holds bytes that are not UTF-8 (names from archives made on
// other systems) cannot be loaded through it. Local pages' requests for such files are
// handed to the program's own scheme, which reads the file by its exact bytes.
#include <webkit2/webkit-web-extension.h>

#include <cstring>

namespace {

constexpr char kLocalPictureScheme[] = "tessaview-file";

bool NeedsExactBytes(const char* uri) {
  if (!g_str_has_prefix(uri, "file:")) return false;
  gchar* path = g_filename_from_uri(uri, nullptr, nullptr);
  if (!path) return false;
  const bool invalid = !g_utf8_validate(path, -1, nullptr);
  g_free(path);
  return invalid;
}

gboolean OnSendRequest(WebKitWebPage* page, WebKitURIRequest* request, WebKitURIResponse*,
                       gpointer) {
  const char* page_uri = webkit_web_page_get_uri(page);
  const char* uri = webkit_uri_request_get_uri(request);
  if (!page_uri || !uri || !g_str_has_prefix(page_uri, "file:")) return FALSE;
  if (!NeedsExactBytes(uri)) return FALSE;
  gchar* local = g_strconcat(kLocalPictureScheme, uri + std::strlen("file"), nullptr);
  webkit_uri_request_set_uri(request, local);
  g_free(local);
  return FALSE;
}

void OnPageCreated(WebKitWebExtension*, WebKitWebPage* page, gpointer) {
  g_signal_connect(page, "send-request", G_CALLBACK(OnSendRequest), nullptr);
}

}  // namespace

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize(WebKitWebExtension* extension) {
  g_signal_connect(extension, "page-created", G_CALLBACK(OnPageCreated), nullptr);
}
