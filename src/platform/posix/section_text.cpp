// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/section_text.h"

namespace tv::posix {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendHex(std::string& out, unsigned char c) {
  out += "\\x";
  out.push_back(kHex[c >> 4]);
  out.push_back(kHex[c & 15]);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

void AppendEscaped(std::string& out, unsigned char c) {
  switch (c) {
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    default:
      break;
  }
  if (c < 0x20 || c == 0x7f) {
    AppendHex(out, c);
  } else {
    out.push_back(static_cast<char>(c));
  }
}

unsigned char FoldCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace

std::string EscapeValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c == '\t') {
      out.push_back('\t');
    } else {
      AppendEscaped(out, c);
    }
  }
  return out;
}

std::string EscapeName(std::string_view text) {
  if (text.empty()) return "@";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    bool at_edge = i == 0 || i + 1 == text.size();
    bool special = c == '=' || c == '[' || c == ']' || c == '/' || c == '@' || c == '\t' ||
                   (at_edge && c == ' ') || (i == 0 && (c == ';' || c == '#'));
    if (special) {
      AppendHex(out, c);
    } else {
      AppendEscaped(out, c);
    }
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\\' || i + 1 >= text.size()) {
      out.push_back(c);
      continue;
    }
    char next = text[i + 1];
    if (next == '\\') {
      out.push_back('\\');
    } else if (next == 'n') {
      out.push_back('\n');
    } else if (next == 'r') {
      out.push_back('\r');
    } else if (next == 't') {
      out.push_back('\t');
    } else if (next == 'x' && i + 3 < text.size() && HexValue(text[i + 2]) >= 0 &&
               HexValue(text[i + 3]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3])));
      i += 2;
    } else {
      out.push_back(c);
      continue;
    }
    ++i;
  }
  return out;
}

std::string UnescapeName(std::string_view text) {
  return text == "@" ? std::string() : Unescape(text);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

SectionText SectionText::Parse(std::string_view text) {
  SectionText result;
  result.sections.emplace_back();
  // A byte-order mark from an editor is not part of the first line.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    std::string_view trimmed = Trim(line);
    size_t close = trimmed.rfind(']');
    if (!trimmed.empty() && trimmed.front() == '[' && close != std::string_view::npos) {
      Section& s = result.sections.emplace_back();
      s.has_header = true;
      s.raw_header = line;
      s.header = Trim(trimmed.substr(1, close - 1));
      continue;
    }
    SectionLine& l = result.sections.back().lines.emplace_back();
    l.raw = line;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos || trimmed.empty() || trimmed.front() == ';' ||
        trimmed.front() == '#') {
      continue;
    }
    std::string_view name = Trim(line.substr(0, eq));
    std::string_view value = line.substr(eq + 1);
    if (!value.empty() && value.back() == '\r') value.remove_suffix(1);
    l.is_pair = true;
    l.name = UnescapeName(name);
    l.value = Unescape(value);
  }
  return result;
}

std::string SectionText::Serialize() const {
  std::string out;
  for (const Section& s : sections) {
    if (s.has_header) {
      out += s.raw_header;
      out.push_back('\n');
    }
    for (const SectionLine& l : s.lines) {
      out += l.raw;
      out.push_back('\n');
    }
  }
  return out;
}

Section MakeSection(const std::string& escaped_header) {
  Section s;
  s.has_header = true;
  s.header = escaped_header;
  s.raw_header = "[" + escaped_header + "]";
  return s;
}

const SectionLine* FindPair(const Section& section, std::string_view name) {
  for (const SectionLine& l : section.lines) {
    if (l.is_pair && EqualsIgnoringCase(l.name, name)) return &l;
  }
  return nullptr;
}

void SetPair(Section& section, std::string_view name, std::string_view value) {
  size_t insert_at = 0;
  for (size_t i = 0; i < section.lines.size(); ++i) {
    SectionLine& l = section.lines[i];
    if (!l.is_pair) continue;
    if (EqualsIgnoringCase(l.name, name)) {
      l.value = value;
      l.raw = EscapeName(l.name) + "=" + EscapeValue(value);
      return;
    }
    insert_at = i + 1;
  }
  SectionLine l;
  l.is_pair = true;
  l.name = name;
  l.value = value;
  l.raw = EscapeName(name) + "=" + EscapeValue(value);
  section.lines.insert(section.lines.begin() + static_cast<long>(insert_at), std::move(l));
}

}  // namespace tv::posix
