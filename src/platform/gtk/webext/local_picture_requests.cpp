// SPDX-License-Identifier: GPL-3.0-or-later
// Runs inside the engine's web processes. Local pages' requests for local pictures are
// handed to the program's own scheme, which answers with the picture at the size the page
// shows it (a camera picture would otherwise be decoded whole), converts formats the
// engine cannot read, and reads files by their exact bytes: the engine reads a file:
// address as UTF-8 text, so names holding other bytes could not be loaded through it.
#include <webkit2/webkit-web-extension.h>

#include <cstring>
#include <string>

#include "platform/gtk/interface_gl.h"

namespace {

constexpr char kLocalPictureScheme[] = "tessaview-file";

// The endings the gallery may list as pictures (the extra kinds where a decoder exists;
// the program's own scheme answers for a file it cannot decode with nothing).
bool IsPictureName(const char* path) {
  const char* dot = std::strrchr(path, '.');
  if (!dot || std::strchr(dot, '/')) return false;
  gchar* lower = g_ascii_strdown(dot + 1, -1);
  static const char* const kEndings[] = {"bmp",  "jpg",  "jpeg", "gif",  "png", "tif",
                                         "tiff", "webp", "avif", "heif", "heic"};
  bool picture = false;
  for (const char* e : kEndings) picture = picture || std::strcmp(lower, e) == 0;
  g_free(lower);
  return picture;
}

bool ServedByProgram(const char* uri) {
  if (!g_str_has_prefix(uri, "file:")) return false;
  gchar* path = g_filename_from_uri(uri, nullptr, nullptr);
  if (!path) return false;
  const bool served = IsPictureName(path) || !g_utf8_validate(path, -1, nullptr);
  g_free(path);
  return served;
}

gboolean OnSendRequest(WebKitWebPage* page, WebKitURIRequest* request, WebKitURIResponse*,
                       gpointer) {
  const char* page_uri = webkit_web_page_get_uri(page);
  const char* uri = webkit_uri_request_get_uri(request);
  if (!page_uri || !uri || !g_str_has_prefix(page_uri, "file:")) return FALSE;
  if (!ServedByProgram(uri)) return FALSE;
  const std::string local = std::string(kLocalPictureScheme) + (uri + std::strlen("file"));
  webkit_uri_request_set_uri(request, local.c_str());
  return FALSE;
}

void OnPageCreated(WebKitWebExtension*, WebKitWebPage* page, gpointer) {
  g_signal_connect(page, "send-request", G_CALLBACK(OnSendRequest), nullptr);
}

// A web process started while the program made its first view inherited the setting that
// hides the GL driver from the program; it puts back the user's own before it draws.
void RestoreGlDriver(const GVariant* setting) {
  if (!setting || !g_variant_is_of_type(const_cast<GVariant*>(setting), G_VARIANT_TYPE("(bs)"))) {
    return;
  }
  gboolean had = FALSE;
  const gchar* value = nullptr;
  g_variant_get(const_cast<GVariant*>(setting), "(b&s)", &had, &value);
  if (had) {
    g_setenv(tv::kGlVendorVariable, value, TRUE);
  } else {
    g_unsetenv(tv::kGlVendorVariable);
  }
}

}  // namespace

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize_with_user_data(
    WebKitWebExtension* extension, const GVariant* user_data) {
  RestoreGlDriver(user_data);
  g_signal_connect(extension, "page-created", G_CALLBACK(OnPageCreated), nullptr);
}
