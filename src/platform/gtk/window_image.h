// Pictures of what a GTK window shows on the screen.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace tv {

// The toplevel `window` as drawn, encoded as PNG into `png`; false when it is not shown.
bool WindowPng(GtkWindow* window, std::string& png);

}  // namespace tv
