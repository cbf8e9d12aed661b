// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/kept_windows.h"

#include <algorithm>
#include <cstdint>

#include "platform/form.h"
#include "platform/platform.h"
#include "settings/settings_schema.h"

namespace tv {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kUnknownAreaLimit = 8192;

// A window's setting under the window's own section.
Setting In(const std::string& section, const Setting& setting) {
  Setting s = setting;
  s.section = section.c_str();
  return s;
}

// A kept number inside the setting's range and below `high`, else nothing.
bool KeptNumber(SettingsStore& store, const Setting& setting, int32_t high, int32_t& out) {
  const std::optional<int32_t> v = store.Number(setting);
  if (!v || *v > high) return false;
  out = *v;
  return true;
}

void KeepText(SettingsStore& store, const Setting& setting, const std::string& value) {
  // Every save rewrites the whole file: unchanged values are left alone.
  if (store.GetSetting(setting.section, setting.key) != value) store.Save(setting, value);
}

int Side(int32_t kept, int smallest, int area) {
  return std::clamp(kept, smallest, std::max(area, smallest));
}

}  // namespace

KeptWindow ReadKeptWindow(SettingsStore& store, const std::string& section,
                          const KeptWindow& fallback, const ScreenArea& area) {
  KeptWindow kept = fallback;
  kept.maximized = store.GetSetting(section, kWindowMaximized.key) == "1";
  const bool known = area.width > 0 && area.height > 0;
  const int32_t limit = known ? INT32_MAX : kUnknownAreaLimit;
  int32_t w = 0, h = 0;
  if (!KeptNumber(store, In(section, kWindowWidth), limit, w) ||
      !KeptNumber(store, In(section, kWindowHeight), limit, h)) {
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
  KeepText(store, In(section, kWindowWidth), std::to_string(form.NormalWidth() / kTwipsPerPixel));
  KeepText(store, In(section, kWindowHeight), std::to_string(form.NormalHeight() / kTwipsPerPixel));
  KeepText(store, In(section, kWindowMaximized), form.Maximized() ? "1" : "0");
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
  look.layout = store.NumberOr(kGalleryLayout);
  look.width_mode = store.NumberOr(kGalleryWidthMode);
  look.zoom = static_cast<int16_t>(store.NumberOr(kGalleryZoom));
  look.colour_index = static_cast<int16_t>(store.NumberOr(kGalleryBackground));
  return look;
}

void KeepGalleryLook(SettingsStore& store, const GalleryLook& look) {
  KeepText(store, kGalleryLayout, std::to_string(look.layout));
  KeepText(store, kGalleryWidthMode, std::to_string(look.width_mode));
  KeepText(store, kGalleryZoom, std::to_string(look.zoom));
  KeepText(store, kGalleryBackground, std::to_string(look.colour_index));
}

}  // namespace tv
