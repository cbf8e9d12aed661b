// SPDX-License-Identifier: GPL-3.0-or-later
// Control colours (blue-green-red values) as widget style.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <string>

namespace tv {

// "#RRGGBB" for a blue-green-red value; "" for system colours such as the button face,
// which the theme draws.
std::string CssColor(uint32_t bgr);

// Replaces the widget's own colour rules. `*provider` is created on first use and kept by
// the caller for later changes.
void ApplyColors(GtkWidget* widget, GtkCssProvider** provider, uint32_t back, uint32_t fore);

// Paints a rectangle in the colour; false for system colours (nothing painted).
bool PaintColor(cairo_t* cr, uint32_t bgr, double width, double height);

}  // namespace tv
