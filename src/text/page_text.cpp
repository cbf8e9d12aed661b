// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/page_text.h"

#include "text/text_util.h"
#include "text/utf8.h"

namespace tv {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendPercent(std::string& out, unsigned char c) {
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7f;
}

}  // namespace

std::string PathForAddress(std::string_view path) {
  // The address parser drops blanks at the end of an address.
  size_t keep = path.size();
  while (keep > 0 && path[keep - 1] == ' ') --keep;
  std::string out;
  out.reserve(path.size());
  for (size_t i = 0; i < path.size();) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (c == '%' || c == '#' || c == '?' || c == '\\' || IsControl(c) || i >= keep) {
      AppendPercent(out, c);
      ++i;
      continue;
    }
    const size_t n = Utf8SequenceLength(path, i);
    if (n == 0) {
      AppendPercent(out, c);  // the page is read as UTF-8: a stray byte would be lost
      ++i;
      continue;
    }
    out.append(path.substr(i, n));
    i += n;
  }
  return out;
}

std::string UnquotedAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '&' || c == '<' || c == '>' || c == '"') {
      out += HtmlEscape(std::string_view(&ch, 1));
    } else if (c == ' ' || c == '\'' || c == '=' || c == '`' || IsControl(c)) {
      out += "&#" + std::to_string(c) + ';';
    } else {
      out += ch;
    }
  }
  return out;
}

std::string FileUrl(std::string_view path) {
  std::string out = "file://";
  for (char d : path) {
    const auto u = static_cast<unsigned char>(d);
    if (IsControl(u) || u >= 0x80 || d == ' ' || d == '%' || d == '#' || d == '?' || d == '"') {
      AppendPercent(out, u);
    } else {
      out += d;
    }
  }
  return out;
}

std::string PathAsLine(const std::string& path) {
  for (char c : path) {
    if (IsControl(static_cast<unsigned char>(c))) return FileUrl(path);
  }
  return path;
}

}  // namespace tv
