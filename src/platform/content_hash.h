// SPDX-License-Identifier: GPL-3.0-or-later
// A fingerprint of some bytes, to know a picture again by its content.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// SHA-256 of `bytes` as 64 lower-case hexadecimal digits.
std::string ContentHash(std::string_view bytes);

}  // namespace tv
