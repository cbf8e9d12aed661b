// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a text typed into the address box can be an address or is a search phrase.
#pragma once

#include <string>

namespace tv {

// True for a text with a dot, a text with a scheme ("http:", "https:", "file:", ...), and
// a host without a dot: "localhost" or "[::1]", with or without a port, then any path.
bool CanBeAddress(const std::string& text);

}  // namespace tv
