// SPDX-License-Identifier: GPL-3.0-or-later
// Which desktop application opens a kind of file. This program is never chosen for
// itself: the desktop may list it as a picture handler through its own desktop entry,
// and choosing it would only start it again.
#pragma once

#include <gio/gio.h>

#include <string>

namespace tv {

// True for this program's own applications (its desktop entries, or its own executable).
bool IsOwnApp(GAppInfo* app);

// The application for `content_type`: the default one, else the first recommended one,
// else the first that can open it; never this program. Editors first when
// `prefer_editor`. Null when there is none; the caller owns the result.
GAppInfo* HandlerFor(const std::string& content_type, bool prefer_editor = false);

// The content type of a local file, from the file itself where it can be read, else from
// its name.
std::string ContentTypeOf(const std::string& path);

}  // namespace tv
