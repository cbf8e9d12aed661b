// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's counterparts of the browser's tools: another copy of the program, the
// computer folder, network settings, the text and image editors, the monitor switched
// off. Programs are started from their argument lists, never through a shell.
#include <gio/gio.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/gtk/gio_handlers.h"
#include "platform/gtk/gio_shell.h"

namespace tv {

namespace {

bool Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                       nullptr, nullptr);
}

// The first of the programs that is installed, started with its arguments.
bool SpawnFirst(std::initializer_list<std::vector<std::string>> choices) {
  for (const auto& args : choices) {
    gchar* found = g_find_program_in_path(args[0].c_str());
    if (!found) continue;
    std::vector<std::string> run = args;
    run[0] = found;
    g_free(found);
    if (Spawn(run)) return true;
  }
  return false;
}

bool LaunchHandler(const char* content_type, bool prefer_editor) {
  GAppInfo* app = HandlerFor(content_type, prefer_editor);
  if (!app) return false;
  bool ok = g_app_info_launch(app, nullptr, nullptr, nullptr);
  g_object_unref(app);
  return ok;
}

bool StartOwnCopy() {
  gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
  if (!exe) return false;
  bool ok = Spawn({exe});
  g_free(exe);
  return ok;
}

const char* ServiceName(DesktopService service) {
  switch (service) {
    case DesktopService::NewInstance:
      return "new instance";
    case DesktopService::ComputerFolder:
      return "computer";
    case DesktopService::NetworkSettings:
      return "network settings";
    case DesktopService::TextEditor:
      return "text editor";
    case DesktopService::ImageEditor:
      return "image editor";
    case DesktopService::MonitorOff:
      return "monitor off";
  }
  return "";
}

}  // namespace

bool GioShell::StartService(DesktopService service) {
  if (script_.active) {
    script_.Report(std::string("shell: service ") + ServiceName(service));
    return true;
  }
  switch (service) {
    case DesktopService::NewInstance:
      return StartOwnCopy();
    case DesktopService::ComputerFolder:
      return g_app_info_launch_default_for_uri("computer:///", nullptr, nullptr) || Open("/");
    case DesktopService::NetworkSettings:
      return SpawnFirst({{"gnome-control-center", "network"},
                         {"nm-connection-editor"},
                         {"systemsettings", "kcm_networkmanagement"},
                         {"xfce4-settings-manager"}});
    case DesktopService::TextEditor:
      return LaunchHandler("text/plain", true);
    case DesktopService::ImageEditor:
      return LaunchHandler("image/png", true);
    case DesktopService::MonitorOff:
      return SpawnFirst({{"xset", "dpms", "force", "off"}});
  }
  return false;
}

}  // namespace tv
