// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/user_folders.h"

#include <glib.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <vector>

namespace tv::posix {
namespace {

std::mutex override_lock;
std::optional<UserFolders> override_folders;

std::string WithoutSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string Absolute(const char* path) {
  return path && path[0] == '/' ? WithoutSlash(path) : "";
}

// The home the password database gives this user; "" when it gives none that is absolute.
std::string PasswordHome() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return "";
  return Absolute(found->pw_dir);
}

// GLib takes a relative XDG value as it is; the rules say to ignore it.
std::string BaseFolder(const char* glib_answer, const std::string& home, const char* fallback) {
  std::string folder = Absolute(glib_answer);
  return folder.empty() ? (home == "/" ? "" : home) + "/" + fallback : folder;
}

UserFolders FromGlib() {
  UserFolders f;
  f.home = Absolute(g_get_home_dir());
  if (f.home.empty()) f.home = PasswordHome();
  if (f.home.empty()) f.home.push_back('/');
  f.config = BaseFolder(g_get_user_config_dir(), f.home, ".config");
  f.data = BaseFolder(g_get_user_data_dir(), f.home, ".local/share");
  f.cache = BaseFolder(g_get_user_cache_dir(), f.home, ".cache");
  // Without XDG_RUNTIME_DIR GLib answers with the cache folder, which is no runtime folder.
  f.runtime = Absolute(g_get_user_runtime_dir());
  if (f.runtime == WithoutSlash(g_get_user_cache_dir())) f.runtime.clear();
  f.download = Absolute(g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD));
  f.pictures = Absolute(g_get_user_special_dir(G_USER_DIRECTORY_PICTURES));
  return f;
}

}  // namespace

void KeepBaseFoldersAbsolute() {
  const char* home = std::getenv("HOME");
  if (home && home[0] != '/') {
    const std::string own = PasswordHome();
    if (own.empty()) {
      unsetenv("HOME");
    } else {
      setenv("HOME", own.c_str(), 1);
    }
  }
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME",
                           "XDG_RUNTIME_DIR"}) {
    const char* value = std::getenv(name);
    if (value && value[0] != '/') unsetenv(name);
  }
  // The search paths keep only their absolute entries.
  for (const char* name : {"XDG_DATA_DIRS", "XDG_CONFIG_DIRS"}) {
    const char* value = std::getenv(name);
    if (!value) continue;
    std::string kept;
    const std::string all = value;
    for (size_t start = 0; start <= all.size();) {
      size_t end = all.find(':', start);
      if (end == std::string::npos) end = all.size();
      const std::string entry = all.substr(start, end - start);
      if (!entry.empty() && entry[0] == '/') kept += (kept.empty() ? "" : ":") + entry;
      start = end + 1;
    }
    if (kept.empty()) {
      unsetenv(name);
    } else if (kept != all) {
      setenv(name, kept.c_str(), 1);
    }
  }
}

UserFolders CurrentUserFolders() {
  {
    std::lock_guard<std::mutex> hold(override_lock);
    if (override_folders) return *override_folders;
  }
  return FromGlib();
}

std::optional<UserFolders> OverrideUserFolders(std::optional<UserFolders> folders) {
  std::lock_guard<std::mutex> hold(override_lock);
  std::swap(override_folders, folders);
  return folders;
}

std::string WithSlash(std::string folder) {
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  folder.push_back('/');
  return folder;
}

}  // namespace tv::posix
