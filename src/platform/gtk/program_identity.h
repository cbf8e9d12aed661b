// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one name on the desktop, given to GTK: the GtkApplication, the window
// class and Wayland app id, and the window icon, so shells link its windows to its entry.
#pragma once

#include <gtk/gtk.h>

namespace tv {

// Starts GTK with the program's name and class, which the window class and the Wayland
// app id are taken from; false when there is no display.
bool StartGtk();

// After GTK started: the program's GtkApplication, made and registered once a process
// (several copies run side by side, each with its own windows), and the default window
// icon, found in the build tree or the installed prefix where the theme lacks it.
GtkApplication* ProgramApplication();

}  // namespace tv
