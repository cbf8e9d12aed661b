// SPDX-License-Identifier: GPL-3.0-or-later
// Which of the extra picture kinds gdk-pixbuf has a loader for: the loaders are listed
// without loading any of them.
#include "platform/picture_formats.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>

namespace tv {

namespace {

std::vector<std::string> InstalledExtras() {
  std::vector<std::string> present;
  GSList* formats = gdk_pixbuf_get_formats();
  for (GSList* f = formats; f; f = f->next) {
    auto* format = static_cast<GdkPixbufFormat*>(f->data);
    if (gdk_pixbuf_format_is_disabled(format)) continue;
    gchar** extensions = gdk_pixbuf_format_get_extensions(format);
    for (gchar** e = extensions; e && *e; ++e) present.emplace_back(*e);
    g_strfreev(extensions);
  }
  g_slist_free(formats);
  std::vector<std::string> extras;
  for (const char* kind : {"webp", "avif", "heif", "heic"}) {
    if (std::find(present.begin(), present.end(), kind) != present.end()) extras.emplace_back(kind);
  }
  return extras;
}

}  // namespace

const std::vector<std::string>& ExtraPictureExtensions() {
  static const std::vector<std::string> kExtras = InstalledExtras();
  return kExtras;
}

}  // namespace tv
