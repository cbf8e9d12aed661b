// SPDX-License-Identifier: GPL-3.0-or-later
// The whole of a page as one JPEG file, not only what the view shows.
#pragma once

#include <string>

namespace tv {

class HtmlView;

inline constexpr const char* kPageShotTitle = "截图另存为";

// Renders the page of `view` without scroll bars and writes it to `file`. Returns "" when
// the file was written, else the message that says why not.
std::string SavePageShot(HtmlView& view, const std::string& file);

}  // namespace tv
