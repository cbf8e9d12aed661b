// Lengths and cuts of texts counted in characters, as the frame's rules count them; a
// cut never splits a UTF-8 sequence. Bytes that are not UTF-8 count one each.
#pragma once

#include <cstddef>
#include <string>

namespace tv {

// Number of characters in `text`.
size_t CharCount(const std::string& text);
// The first `n` characters of `text`.
std::string CharLeft(const std::string& text, size_t n);

}  // namespace tv
