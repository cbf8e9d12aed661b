// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/interface_gl.h"

#include <optional>
#include <string>

namespace tv {

namespace {

struct UserSetting {
  bool hidden = false;
  std::optional<std::string> value;
};

UserSetting& Setting() {
  static UserSetting setting;
  return setting;
}

gboolean GiveGlDriverBack(gpointer) {
  UserSetting& s = Setting();
  s.hidden = false;
  if (s.value) {
    g_setenv(kGlVendorVariable, s.value->c_str(), TRUE);
  } else {
    g_unsetenv(kGlVendorVariable);
  }
  return G_SOURCE_REMOVE;
}

}  // namespace

void HideGlDriverFromInterface() {
  UserSetting& s = Setting();
  if (s.hidden) return;
  const char* value = g_getenv(kGlVendorVariable);
  s.value = value ? std::optional<std::string>(value) : std::nullopt;
  // No vendor file by that name: the GL dispatcher then offers no EGL driver at all.
  g_setenv(kGlVendorVariable, "/nonexistent/tessaview-no-egl.json", TRUE);
  s.hidden = true;
  g_idle_add_full(G_PRIORITY_HIGH, GiveGlDriverBack, nullptr, nullptr);
}

GVariant* GlDriverSetting() {
  const UserSetting& s = Setting();
  return g_variant_new("(bs)", s.value.has_value(), s.value ? s.value->c_str() : "");
}

}  // namespace tv
