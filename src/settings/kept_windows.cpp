// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/kept_windows.h"

#include <algorithm>
#include <cstdint>

#include "platform/form.h"
#include "platform/platform.h"
#include "settings/settings_store.h"

namespace tv {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kUnknownAreaLimit = 8192;

// A kept number inside [low, high], else nothing.
bool KeptNumber(SettingsStore& store, const std::string& section, const std::string& key,
                int32_t low, int32_t high, int32_t& out) {
  int32_t v = 0;
  if (!ParseStoredInteger(store.GetSetting(section, key), v) || v < low || v > high) return false;
  out = v;
  return true;
}

void KeepText(SettingsStore& store, const std::string& section, const std::string& key,
              const std::string& value) {
  // Every save rewrites the whole file: unchanged values are left alone.
  if (store.GetSetting(section, key) != value) store.SaveSetting(section, key, value);
}

int Side(int32_t kept, int smallest, int area) {
  return std::clamp(kept, smallest, std::max(area, smallest));
}

}  // namespace

KeptWindow ReadKeptWindow(SettingsStore& store, const std::string& section,
                          const KeptWindow& fallback, const ScreenArea& area) {
  KeptWindow kept = fallback;
  kept.maximized = store.GetSetting(section, "Maximized") == "1";
  const bool known = area.width > 0 && area.height > 0;
  const int32_t limit = known ? INT32_MAX : kUnknownAreaLimit;
  int32_t w = 0, h = 0;
  if (!KeptNumber(store, section, "WindowWidth", 1, limit, w) ||
      !KeptNumber(store, section, "WindowHeight", 1, limit, h)) {
    return kept;
  }
  const int area_w = known ? area.width / kTwipsPerPixel : kUnknownAreaLimit;
  const int area_h = known ? area.height / kTwipsPerPixel : kUnknownAreaLimit;
  kept.width = Side(w, kKeptMinWidth, area_w) * kTwipsPerPixel;
  kept.height = Side(h, kKeptMinHeight, area_h) * kTwipsPerPixel;
  return kept;
}

void KeepWindow(SettingsStore& store, const std::string& section, const Form& form) {
  if (form.NormalWidth() <= 0 || form.NormalHeight() <= 0) return;
  KeepText(store, section, "WindowWidth", std::to_string(form.NormalWidth() / kTwipsPerPixel));
  KeepText(store, section, "WindowHeight", std::to_string(form.NormalHeight() / kTwipsPerPixel));
  KeepText(store, section, "Maximized", form.Maximized() ? "1" : "0");
}

void RestoreWindow(SettingsStore& store, const std::string& section, Form& form) {
  const KeptWindow kept =
      ReadKeptWindow(store, section, {form.ScaleWidth(), form.ScaleHeight(), false},
                     form.Services().windows.WorkArea());
  if (kept.width != form.ScaleWidth() || kept.height != form.ScaleHeight()) {
    form.Resize(kept.width, kept.height);
    if (form.Native()) form.Native()->SizeChanged();
  }
  form.SetNormalSize(kept.width, kept.height);
  if (kept.maximized) form.SetMaximized(true);
}

GalleryLook ReadGalleryLook(SettingsStore& store) {
  GalleryLook look;
  int32_t v = 0;
  if (KeptNumber(store, "Main", "Layout", 0, 4, v)) look.display_mode = v;
  if (KeptNumber(store, "Main", "WidthMode", 0, 2, v)) look.width_toggle = v;
  if (KeptNumber(store, "Main", "Zoom", 5, kMaxGalleryZoom, v)) look.zoom = static_cast<int16_t>(v);
  if (KeptNumber(store, "Main", "BackColor", 0, 9, v)) look.colour_index = static_cast<int16_t>(v);
  return look;
}

void KeepGalleryLook(SettingsStore& store, const GalleryLook& look) {
  KeepText(store, "Main", "Layout", std::to_string(look.display_mode));
  KeepText(store, "Main", "WidthMode", std::to_string(look.width_toggle));
  KeepText(store, "Main", "Zoom", std::to_string(look.zoom));
  KeepText(store, "Main", "BackColor", std::to_string(look.colour_index));
}

}  // namespace tv
