#include "platform/gtk/web_context.h"

#include <glib.h>

#include <string>

#include "platform/gtk/local_pictures.h"
#include "platform/posix/xdg_paths.h"

namespace tv {

WebKitWebContext* ProgramWebContext(Paths* paths) {
  static WebKitWebContext* context = nullptr;
  if (context) return context;
  XdgPaths users;
  if (!paths) paths = &users;
  const std::string data = paths->WebsiteDataFolder();
  const std::string cache = paths->WebsiteCacheFolder();
  // What sites store is the user's own: private folders, as the engine would make them.
  g_mkdir_with_parents(data.c_str(), 0700);
  g_mkdir_with_parents(cache.c_str(), 0700);
  WebKitWebsiteDataManager* manager = webkit_website_data_manager_new(
      "base-data-directory", data.c_str(), "base-cache-directory", cache.c_str(), nullptr);
  context = webkit_web_context_new_with_website_data_manager(manager);
  g_object_unref(manager);
  InstallLocalPictures(context);
  return context;
}

}  // namespace tv
