#include "frame/char_text.h"

namespace tv {

namespace {

// Length of the UTF-8 sequence starting at `i`; 1 for a byte that starts none.
size_t SequenceLength(const std::string& s, size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  size_t n = lead < 0x80         ? 1
             : (lead >> 5) == 6  ? 2
             : (lead >> 4) == 14 ? 3
             : (lead >> 3) == 30 ? 4
                                 : 1;
  if (i + n > s.size()) return 1;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

}  // namespace

size_t CharCount(const std::string& text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i += SequenceLength(text, i)) ++count;
  return count;
}

std::string CharLeft(const std::string& text, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < text.size() && count < n; ++count) i += SequenceLength(text, i);
  return text.substr(0, i);
}

}  // namespace tv
