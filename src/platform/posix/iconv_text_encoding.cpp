#include "platform/posix/iconv_text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace tv {

namespace {

// Converts `text`; a byte that starts no character becomes "?". When the text is UTF-8
// the rest of a broken sequence goes with it.
std::string Convert(const std::string& text, const char* to_set, const char* from_set) {
  iconv_t cd = iconv_open(to_set, from_set);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  const bool from_utf8 = std::string(from_set) == "UTF-8";
  std::string out;
  char buffer[4096];
  char* in = const_cast<char*>(text.data());
  size_t in_left = text.size();
  while (in_left > 0) {
    char* to = buffer;
    size_t to_left = sizeof buffer;
    const size_t rc = iconv(cd, &in, &in_left, &to, &to_left);
    out.append(buffer, static_cast<size_t>(to - buffer));
    if (rc != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // A byte that starts no character (or one the set lacks): a mark in its place.
    out += '?';
    ++in;
    --in_left;
    while (from_utf8 && in_left > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
      ++in;
      --in_left;
    }
  }
  char* to = buffer;
  size_t to_left = sizeof buffer;
  iconv(cd, nullptr, nullptr, &to, &to_left);
  out.append(buffer, static_cast<size_t>(to - buffer));
  iconv_close(cd);
  return out;
}

}  // namespace

std::string IconvTextEncoding::FromUtf8(const std::string& utf8, const std::string& charset) {
  return Convert(utf8, charset.c_str(), "UTF-8");
}

std::string IconvTextEncoding::ToUtf8(const std::string& text, const std::string& charset) {
  return Convert(text, "UTF-8", charset.c_str());
}

}  // namespace tv
