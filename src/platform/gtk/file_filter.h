// SPDX-License-Identifier: GPL-3.0-or-later
// The program's dialog filters as GTK file filters.
#pragma once

#include <gtk/gtk.h>

#include "platform/file_filters.h"

namespace tv {

// A new floating filter matching the entry's patterns in any letter case.
GtkFileFilter* NewGtkFileFilter(const FileFilterEntry& entry);

}  // namespace tv
