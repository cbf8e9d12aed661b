// SPDX-License-Identifier: GPL-3.0-or-later
// A GtkFixed that asks for no minimum size, so a window can be made smaller than the
// controls its layout code placed; the layout code then places them again.
#pragma once

#include <gtk/gtk.h>

namespace tv {

GtkWidget* NewShrinkFixed();

}  // namespace tv
