// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the page scan: a JSON array of [tagName, src, href, target, width, height, title]
// rows; a picture's row goes on with its own size, load state, shown, largest and linked
// addresses, a large box's with its background picture. And what lies under the pointer.
#pragma once

#include <string_view>
#include <vector>

#include "host/html_view.h"

namespace tv {

// The rows up to the first malformed one; fields of the wrong type read as empty or 0.
std::vector<HtmlElement> ParseElementRows(std::string_view json);
// What lies under the pointer from [link, picture, selected]; what is missing or of the
// wrong type reads as nothing.
PointerTarget ParsePointerTarget(std::string_view json);

}  // namespace tv
