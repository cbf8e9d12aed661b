// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows keep for the next start: their size and whether they were maximised,
// and the gallery's layout, width mode, zoom and background. A kept value that is no
// number or out of its range counts as not kept.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window_system.h"

namespace tv {

class Form;
class SettingsStore;

// The gallery's zoom stops short of the 16-bit range.
inline constexpr int kMaxGalleryZoom = 32000;
// No window comes back smaller than this, in pixels.
inline constexpr int kKeptMinWidth = 400, kKeptMinHeight = 300;

struct KeptWindow {
  int width = 0;  // inner size, twips
  int height = 0;
  bool maximized = false;
};

// The size kept under `section` ("WindowWidth", "WindowHeight" in pixels, "Maximized"),
// or `fallback` when none is kept or a side is no positive number. Each side is brought
// between the smallest window and the work area `area` (sides past 8192 pixels fall back
// where the area is unknown).
KeptWindow ReadKeptWindow(SettingsStore& store, const std::string& section,
                          const KeptWindow& fallback, const ScreenArea& area);
// Keeps the window's unmaximised size and its maximised state; only changed keys are written.
void KeepWindow(SettingsStore& store, const std::string& section, const Form& form);
// The window at its kept size and state, before it is first shown.
void RestoreWindow(SettingsStore& store, const std::string& section, Form& form);

struct GalleryLook {
  int32_t layout = 0;        // 0 to 4
  int32_t width_mode = 0;    // 0 to 2
  int16_t zoom = 100;        // 5 to kMaxGalleryZoom
  int16_t colour_index = 0;  // 0 to 9
};

// "Main"/"Layout", "WidthMode", "Zoom", "BackColor"; each one out of range is its default.
GalleryLook ReadGalleryLook(SettingsStore& store);
// Only the keys whose kept text differs are written.
void KeepGalleryLook(SettingsStore& store, const GalleryLook& look);

}  // namespace tv
