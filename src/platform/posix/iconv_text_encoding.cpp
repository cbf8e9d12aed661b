// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/iconv_text_encoding.h"

#include <glib.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace tv {

namespace {

// `text` with "?" in place of every byte that starts no character, the rest of a broken
// sequence going with it.
std::string ValidUtf8(const std::string& text) {
  std::string out;
  const char* at = text.data();
  const char* const end = at + text.size();
  while (at < end) {
    const char* bad = nullptr;
    if (g_utf8_validate(at, end - at, &bad)) bad = end;
    out.append(at, bad);
    if (bad == end) break;
    at = bad + 1;
    if (*bad == '\0') {  // GLib counts a zero byte as invalid; it is a character here
      out += '\0';
      continue;
    }
    out += '?';
    while (at < end && (static_cast<unsigned char>(*at) & 0xC0) == 0x80) ++at;
  }
  return out;
}

// Converts `text`; a byte that starts no character of the set, or a character the set
// cannot hold, becomes "?".
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
    // A character the set lacks goes whole; in other sets a byte at a time.
    out += '?';
    const size_t skip = from_utf8 ? static_cast<size_t>(g_utf8_next_char(in) - in) : size_t{1};
    in += std::min(skip, in_left);
    in_left -= std::min(skip, in_left);
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
  return Convert(ValidUtf8(utf8), charset.c_str(), "UTF-8");
}

std::string IconvTextEncoding::ToUtf8(const std::string& text, const std::string& charset) {
  return Convert(text, "UTF-8", charset.c_str());
}

}  // namespace tv
