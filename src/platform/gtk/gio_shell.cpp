// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/gio_shell.h"

#include <gdk/gdk.h>
#include <gio/gio.h>

#include "platform/gtk/gio_handlers.h"

namespace tv {

namespace {

GAppLaunchContext* LaunchContext() {
  GdkDisplay* display = gdk_display_get_default();
  return display ? G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display)) : nullptr;
}

bool LaunchWithFile(GAppInfo* app, const std::string& path) {
  GFile* file = g_file_new_for_path(path.c_str());
  GList* files = g_list_append(nullptr, file);
  GAppLaunchContext* context = LaunchContext();
  bool ok = g_app_info_launch(app, files, context, nullptr);
  if (context) g_object_unref(context);
  g_list_free(files);
  g_object_unref(file);
  return ok;
}

// The local file a target names, or "" for a web or mail address.
std::string LocalPath(const std::string& target) {
  if (target.empty()) return "";
  if (target[0] == '/') return target;
  if (!g_str_has_prefix(target.c_str(), "file:")) return "";
  GFile* file = g_file_new_for_uri(target.c_str());
  gchar* path = g_file_get_path(file);
  std::string result = path ? path : "";
  g_free(path);
  g_object_unref(file);
  return result;
}

}  // namespace

std::string UriForTarget(const std::string& target) {
  if (target.empty()) return "";
  if (target[0] == '/') {
    gchar* uri = g_filename_to_uri(target.c_str(), nullptr, nullptr);
    std::string result = uri ? uri : "";
    g_free(uri);
    return result;
  }
  if (target.find("://") != std::string::npos || g_str_has_prefix(target.c_str(), "mailto:")) {
    return target;
  }
  GFile* file = g_file_new_for_commandline_arg(target.c_str());
  gchar* uri = g_file_get_uri(file);
  std::string result = uri ? uri : "";
  g_free(uri);
  g_object_unref(file);
  return result;
}

bool GioShell::Open(const std::string& target) {
  if (script_.active) {
    script_.Report("shell: open " + target);
    return true;
  }
  // A file goes to its handler by content type, so that this program, registered as a
  // picture handler, is never started for it again.
  if (std::string path = LocalPath(target); !path.empty()) {
    GAppInfo* app = HandlerFor(ContentTypeOf(path));
    if (!app) return false;
    bool ok = LaunchWithFile(app, path);
    g_object_unref(app);
    return ok;
  }
  std::string uri = UriForTarget(target);
  if (uri.empty()) return false;
  GAppLaunchContext* context = LaunchContext();
  bool ok = g_app_info_launch_default_for_uri(uri.c_str(), context, nullptr);
  if (context) g_object_unref(context);
  return ok;
}

bool GioShell::ShowInFolder(const std::string& path) {
  if (script_.active) {
    script_.Report("shell: show " + path);
    return true;
  }
  std::string uri = UriForTarget(path);
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (bus && !uri.empty()) {
    const gchar* uris[] = {uri.c_str(), nullptr};
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
        "org.freedesktop.FileManager1", "ShowItems", g_variant_new("(^ass)", uris, ""), nullptr,
        G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    g_object_unref(bus);
    if (reply) {
      g_variant_unref(reply);
      return true;
    }
  } else if (bus) {
    g_object_unref(bus);
  }
  // No file manager answers on the bus: open the folder itself.
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return false;
  return Open(slash == 0 ? "/" : path.substr(0, slash));
}

bool GioShell::Edit(const std::string& path) {
  if (script_.active) {
    script_.Report("shell: edit " + path);
    return true;
  }
  GAppInfo* app = HandlerFor(ContentTypeOf(path), true);
  if (!app) return false;
  bool ok = LaunchWithFile(app, path);
  g_object_unref(app);
  return ok;
}

bool GioShell::EditText(const std::string& path) {
  if (script_.active) {
    script_.Report("shell: edit text " + path);
    return true;
  }
  GAppInfo* app = HandlerFor("text/plain");
  if (!app) return Open(path);
  bool ok = LaunchWithFile(app, path);
  g_object_unref(app);
  return ok;
}

bool GioShell::ShowProperties(const std::string& path) {
  if (script_.active) {
    script_.Report("shell: properties " + path);
    return true;
  }
  return false;  // the program shows its own properties window
}

}  // namespace tv
