// SPDX-License-Identifier: GPL-3.0-or-later
// Local pages' pictures are served by the program's own scheme, to local pages only: at
// the size the page shows them (from the shared thumbnail cache, made off the main loop),
// converted where the engine cannot read the format, and by their exact bytes where the
// engine cannot load the name through a file: address (bytes that are not UTF-8).
#pragma once

#include <webkit2/webkit2.h>

#include <string>
#include <utility>
#include <vector>

#include "reduced_pictures/thumbnail_cache.h"

namespace tv {

// Registers the scheme and the web process extension that uses it in the program's one
// context, before its first view is made.
void InstallLocalPictures(WebKitWebContext* context);

// The thumbnail cache the pictures are kept in, as the environment names it now.
reduced::ThumbnailCache PageThumbnails();

// The widest the view's next page shows each picture (path, pixels; 0 or not named: at its
// own size).
void SetPictureWidths(WebKitWebView* view, const std::vector<std::pair<std::string, int>>& widths);

// Before the view loads a local page: drops the engine's copies of served pictures when
// the page could be handed one made for another width or from a file changed since.
void DropOutgrownPictures(WebKitWebView* view);

}  // namespace tv
