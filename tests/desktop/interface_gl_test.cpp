// SPDX-License-Identifier: GPL-3.0-or-later
// The program hides the GL driver from the engine's interface side only while its first
// window is made: once the loop turns, the user's own setting is back, or none where there
// was none, so the programs it starts draw with GL as before, and web processes started
// meanwhile are told the setting to put back.
#include <gtest/gtest.h>

#include <string>

#include "platform/gtk/interface_gl.h"

namespace tv {
namespace {

// Turns the loop until the setting reads `want` (null: unset), at most a second.
bool ReadsAfterATurn(const char* want) {
  for (int turn = 0; turn < 1000; ++turn) {
    const char* now = g_getenv(kGlVendorVariable);
    if (want ? now && std::string(now) == want : now == nullptr) return true;
    g_main_context_iteration(nullptr, FALSE);
    g_usleep(1000);
  }
  return false;
}

std::string Told() {
  GVariant* setting = g_variant_ref_sink(GlDriverSetting());
  gboolean had = FALSE;
  const gchar* value = nullptr;
  g_variant_get(setting, "(b&s)", &had, &value);
  std::string told = had ? std::string("set:") + value : "unset";
  g_variant_unref(setting);
  return told;
}

TEST(InterfaceGl, TheUsersOwnSettingIsBackOnceTheLoopTurns) {
  const char* mine = "/etc/glvnd/egl_vendor.d/10_mine.json";
  // A start of the toolkit earlier in this process gives its setting back first.
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  g_setenv(kGlVendorVariable, mine, TRUE);
  HideGlDriverFromInterface();
  EXPECT_STRNE(g_getenv(kGlVendorVariable), mine);
  EXPECT_EQ(Told(), std::string("set:") + mine);
  EXPECT_TRUE(ReadsAfterATurn(mine));

  g_unsetenv(kGlVendorVariable);
  HideGlDriverFromInterface();
  EXPECT_NE(g_getenv(kGlVendorVariable), nullptr);
  EXPECT_EQ(Told(), "unset");
  EXPECT_TRUE(ReadsAfterATurn(nullptr));
}

}  // namespace
}  // namespace tv
