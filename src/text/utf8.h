// SPDX-License-Identifier: GPL-3.0-or-later
// The one rule for characters: well-formed UTF-8 sequences, lengths and cuts counted in
// characters (a cut never splits a sequence; a byte that is not UTF-8 counts one), and
// code points written as UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tv {

// Length of the well-formed UTF-8 sequence at `i`, 0 when the byte there starts none.
size_t Utf8SequenceLength(std::string_view text, size_t i);

// Number of characters in `text`.
size_t CharCount(const std::string& text);
// The first `n` characters of `text`.
std::string CharLeft(const std::string& text, size_t n);

// Appends `code` as UTF-8; nothing, a surrogate or a value past U+10FFFF gives U+FFFD.
void AppendUtf8(std::string& out, unsigned long code);

}  // namespace tv
