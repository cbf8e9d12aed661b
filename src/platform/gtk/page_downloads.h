// SPDX-License-Identifier: GPL-3.0-or-later
// Downloads on the engine's one context. A page's own (an attachment, a download link, a
// type the view cannot show) waits for the logic's answer and is never written where the
// engine would put it; the program's own downloads are registered and left alone.
#pragma once

#include <webkit2/webkit2.h>

#include <string>

#include "platform/front_end.h"

namespace tv {

// Marks a download the program started itself (webkit_web_view_download_uri,
// webkit_web_context_download_uri) as its own: its own handlers decide where it goes.
// Call it right after starting the download, before returning to the main loop.
void RegisterProgramDownload(WebKitDownload* download);
bool IsProgramDownload(WebKitDownload* download);

// Sends every page download of `context` to the view that asked for it.
void InstallPageDownloads(WebKitWebContext* context);

// Shows the progress of `download`, whose destination is set, in a small window and says
// in a message when it fails (a scripted run reports what it writes instead).
void FollowDownload(WebKitDownload* download, const std::string& address,
                    const std::string& destination, ScriptHooks& script);

}  // namespace tv
