#include "frame/char_text.h"

#include <algorithm>

#include "app/page_text.h"

namespace tv {

namespace {

// A byte that starts no UTF-8 character counts as one of its own.
size_t SequenceLength(const std::string& s, size_t i) {
  return std::max<size_t>(Utf8SequenceLength(s, i), 1);
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
