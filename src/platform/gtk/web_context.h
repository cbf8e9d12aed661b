// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's one context for all the program's views: the engine keeps its website data
// (site storage, security policies, media keys) and caches in folders of their own, never
// beside the program's history and favourites.
#pragma once

#include <webkit2/webkit2.h>

namespace tv {

class Paths;

// Made on the first call, in the folders `paths` names (the user's, when null), with the
// local picture scheme installed; later calls return the same context.
WebKitWebContext* ProgramWebContext(Paths* paths);

// Web pages are about to be shown: the engine keeps pages and resources for going back
// and for later visits, as a browser does, from now on.
void UseBrowserCache();

}  // namespace tv
