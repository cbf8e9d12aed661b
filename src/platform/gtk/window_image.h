// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of what a GTK window shows.
#pragma once

#include <cairo.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace tv {

// A picture that covers a widget of the window: an HTML view's page as its engine renders
// it, since the engine hands frames to the window on its own schedule.
struct WidgetPicture {
  GtkWidget* widget = nullptr;
  cairo_surface_t* picture = nullptr;
};

// The toplevel `window` drawn as it shows now, with `covers` painted over their widgets,
// encoded as PNG into `png`; false when the window is not shown.
bool WindowPng(GtkWindow* window, const std::vector<WidgetPicture>& covers, std::string& png);

}  // namespace tv
