// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/web_context.h"

#include <glib.h>

#include <string>

#include "platform/gtk/local_pictures.h"
#include "platform/gtk/page_downloads.h"
#include "platform/posix/xdg_paths.h"

namespace tv {

namespace {

// The engine's processes give back their caches once they hold this much, long before
// the system runs short; nothing is ever killed for it.
constexpr guint kMemoryLimitMb = 256;
constexpr double kMemoryPollSeconds = 3;

WebKitMemoryPressureSettings* LowMemorySettings() {
  WebKitMemoryPressureSettings* settings = webkit_memory_pressure_settings_new();
  webkit_memory_pressure_settings_set_memory_limit(settings, kMemoryLimitMb);
  webkit_memory_pressure_settings_set_conservative_threshold(settings, 0.25);
  webkit_memory_pressure_settings_set_strict_threshold(settings, 0.5);
  // Looked at every few seconds rather than every thirty: a page that reloads itself at
  // once can add a hundred megabytes in between.
  webkit_memory_pressure_settings_set_poll_interval(settings, kMemoryPollSeconds);
  return settings;
}

WebKitWebContext*& Context() {
  static WebKitWebContext* context = nullptr;
  return context;
}

}  // namespace

WebKitWebContext* ProgramWebContext(Paths* paths) {
  WebKitWebContext*& context = Context();
  if (context) return context;
  XdgPaths users;
  if (!paths) paths = &users;
  const std::string data = paths->WebsiteDataFolder();
  const std::string cache = paths->WebsiteCacheFolder();
  // What sites store is the user's own: private folders, as the engine would make them.
  g_mkdir_with_parents(data.c_str(), 0700);
  g_mkdir_with_parents(cache.c_str(), 0700);
  WebKitMemoryPressureSettings* pressure = LowMemorySettings();
  // The network process takes its limits before it starts; the web processes with the
  // context.
  webkit_website_data_manager_set_memory_pressure_settings(pressure);
  WebKitWebsiteDataManager* manager = webkit_website_data_manager_new(
      "base-data-directory", data.c_str(), "base-cache-directory", cache.c_str(), nullptr);
  context =
      WEBKIT_WEB_CONTEXT(g_object_new(WEBKIT_TYPE_WEB_CONTEXT, "website-data-manager", manager,
                                      "memory-pressure-settings", pressure, nullptr));
  webkit_memory_pressure_settings_free(pressure);
  g_object_unref(manager);
  // The gallery shows local pages it writes itself: the pictures of pages shown before are
  // kept for a second visit (a page change), nothing for going back, until the browser
  // opens.
  webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_DOCUMENT_BROWSER);
  InstallLocalPictures(context);
  InstallPageDownloads(context);
  return context;
}

void UseBrowserCache() {
  WebKitWebContext* context = Context();
  if (!context || webkit_web_context_get_cache_model(context) == WEBKIT_CACHE_MODEL_WEB_BROWSER)
    return;
  webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_WEB_BROWSER);
}

}  // namespace tv
