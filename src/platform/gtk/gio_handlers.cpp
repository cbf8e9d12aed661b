// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/gio_handlers.h"

#include <gio/gdesktopappinfo.h>

#include <cstring>

namespace tv {

namespace {

bool HasCategory(GAppInfo* app, const char* category) {
  if (!G_IS_DESKTOP_APP_INFO(app)) return false;
  const char* list = g_desktop_app_info_get_categories(G_DESKTOP_APP_INFO(app));
  if (!list) return false;
  gchar** parts = g_strsplit(list, ";", -1);
  bool found = false;
  for (gchar** p = parts; *p && !found; ++p) found = std::strcmp(*p, category) == 0;
  g_strfreev(parts);
  return found;
}

bool IsEditor(GAppInfo* app) {
  return HasCategory(app, "RasterGraphics") || HasCategory(app, "2DGraphics");
}

// The first of `apps` that is not this program (and is an editor when asked), or null.
GAppInfo* FirstOther(GList* apps, bool editors_only) {
  for (GList* l = apps; l; l = l->next) {
    GAppInfo* app = G_APP_INFO(l->data);
    if (!IsOwnApp(app) && (!editors_only || IsEditor(app))) {
      return G_APP_INFO(g_object_ref(app));
    }
  }
  return nullptr;
}

std::string OwnExecutable() {
  gchar* self = g_file_read_link("/proc/self/exe", nullptr);
  std::string path = self ? self : "";
  g_free(self);
  return path;
}

}  // namespace

bool IsOwnApp(GAppInfo* app) {
  if (!app) return false;
  const char* id = g_app_info_get_id(app);
  if (id && std::strstr(id, "tessaview") != nullptr) return true;
  static const std::string self = OwnExecutable();
  const char* exe = g_app_info_get_executable(app);
  if (!exe || self.empty()) return false;
  gchar* found = g_find_program_in_path(exe);
  bool own = found && self == found;
  g_free(found);
  return own;
}

GAppInfo* HandlerFor(const std::string& content_type, bool prefer_editor) {
  if (content_type.empty()) return nullptr;
  const char* type = content_type.c_str();
  GList* recommended = g_app_info_get_recommended_for_type(type);
  GAppInfo* chosen = prefer_editor ? FirstOther(recommended, true) : nullptr;
  if (!chosen) {
    GAppInfo* def = g_app_info_get_default_for_type(type, FALSE);
    if (def && !IsOwnApp(def)) {
      chosen = def;
    } else if (def) {
      g_object_unref(def);
    }
  }
  if (!chosen) chosen = FirstOther(recommended, false);
  g_list_free_full(recommended, g_object_unref);
  if (!chosen) {
    GList* all = g_app_info_get_all_for_type(type);
    chosen = FirstOther(all, false);
    g_list_free_full(all, g_object_unref);
  }
  return chosen;
}

std::string ContentTypeOf(const std::string& path) {
  std::string result;
  GFile* file = g_file_new_for_path(path.c_str());
  GFileInfo* info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                      G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
  if (info) {
    const char* type = g_file_info_get_content_type(info);
    if (type) result = type;
    g_object_unref(info);
  }
  g_object_unref(file);
  if (!result.empty()) return result;
  gboolean uncertain = FALSE;
  gchar* type = g_content_type_guess(path.c_str(), nullptr, 0, &uncertain);
  if (type) result = type;
  g_free(type);
  return result;
}

}  // namespace tv
