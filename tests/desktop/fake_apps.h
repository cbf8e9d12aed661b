// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop applications that exist only for a test: entries written where GIO looks for
// this process's applications, with default and added associations, removed again when
// the test ends. Refuses to write anywhere but the tests' private home.
#pragma once

#include <gio/gio.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "desktop/desktop_gallery.h"

namespace tv::test {

class FakeApps {
 public:
  FakeApps()
      : home_(SharedHome::Root()),  // first: GLib reads the XDG folders once
        apps_(std::string(g_get_user_data_dir()) + "/applications/"),
        // Beside the entries rather than among the settings, which tests clear and so
        // end GIO's watch on them.
        mimeapps_(apps_ + "mimeapps.list") {
    usable_ = apps_.rfind(home_, 0) == 0;
    if (usable_) std::filesystem::create_directories(apps_);
  }
  ~FakeApps() {
    for (const std::string& id : ids_) std::filesystem::remove(apps_ + id);
    std::filesystem::remove(mimeapps_);
  }
  FakeApps(const FakeApps&) = delete;
  FakeApps& operator=(const FakeApps&) = delete;

  // False when GIO reads folders outside the private home; the test must not go on.
  bool Usable() const { return usable_; }

  void Add(const std::string& id, const std::string& exec, const std::string& mime_types) {
    ids_.push_back(id);
    std::ofstream(apps_ + id) << "[Desktop Entry]\nType=Application\nName=" << id
                              << "\nExec=" << exec << "\nMimeType=" << mime_types << "\n";
  }
  void Remove(const std::string& id) { std::filesystem::remove(apps_ + id); }
  // `type` opens with `default_id` first, and `added` are recommended for it.
  void Associate(const std::string& type, const std::string& default_id, const std::string& added) {
    std::ofstream(mimeapps_) << "[Default Applications]\n"
                             << type << "=" << default_id << "\n[Added Associations]\n"
                             << type << "=" << added << "\n";
  }

  // GIO notices changed entries through file monitors, so the change shows after a while.
  static bool WaitUntil(const std::function<bool()>& done, int ms = 5000) {
    for (int waited = 0; waited < ms; waited += 20) {
      if (done()) return true;
      while (g_main_context_iteration(nullptr, FALSE)) {
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
  }
  // The id of the application GIO itself would open `type` with, or "".
  static std::string DefaultFor(const std::string& type) {
    GAppInfo* app = g_app_info_get_default_for_type(type.c_str(), FALSE);
    std::string id = app && g_app_info_get_id(app) ? g_app_info_get_id(app) : "";
    if (app) g_object_unref(app);
    return id;
  }

 private:
  std::string home_;
  std::string apps_;
  std::string mimeapps_;
  std::vector<std::string> ids_;
  bool usable_ = false;
};

}  // namespace tv::test
