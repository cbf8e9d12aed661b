// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/page_model.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

#include "reduced_pictures/picture_size.h"
#include "text/page_text.h"
#include "text/text_util.h"
#include "text/utf8.h"

namespace tv {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&') {
      static const std::pair<const char*, char> kEntities[] = {
          {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
      bool done = false;
      for (auto& [name, c] : kEntities) {
        if (s.compare(i, std::char_traits<char>::length(name), name) == 0) {
          out += c;
          i += std::char_traits<char>::length(name) - 1;
          done = true;
          break;
        }
      }
      if (done) continue;
      if (i + 1 < s.size() && s[i + 1] == '#') {
        // &#N; and &#xN; as the engine reads them in attribute values and text.
        size_t k = i + 2;
        const bool hex = k < s.size() && (s[k] == 'x' || s[k] == 'X');
        if (hex) ++k;
        unsigned long code = 0;
        size_t digits = 0;
        while (k < s.size() && digits < 8 &&
               (hex ? std::isxdigit(static_cast<unsigned char>(s[k]))
                    : std::isdigit(static_cast<unsigned char>(s[k])))) {
          code = code * (hex ? 16 : 10) + static_cast<unsigned long>(HexDigit(s[k]));
          ++k;
          ++digits;
        }
        if (digits > 0) {
          AppendUtf8(out, code);
          i = k < s.size() && s[k] == ';' ? k : k - 1;
          continue;
        }
      }
    }
    out += s[i];
  }
  return out;
}

struct Tag {
  std::string name;                               // upper case; "/A" for a closing tag
  std::map<std::string, std::string> attributes;  // lower-case names
};

// Reads the tag starting after "<" at `i`; leaves `i` after its ">".
Tag ReadTag(const std::string& html, size_t& i) {
  Tag tag;
  const size_t n = html.size();
  size_t start = i;
  while (i < n && !std::isspace(static_cast<unsigned char>(html[i])) && html[i] != '>') ++i;
  tag.name = Upper(html.substr(start, i - start));
  while (i < n && html[i] != '>') {
    while (i < n && std::isspace(static_cast<unsigned char>(html[i]))) ++i;
    size_t name_start = i;
    while (i < n && html[i] != '=' && html[i] != '>' &&
           !std::isspace(static_cast<unsigned char>(html[i])))
      ++i;
    std::string name = AsciiLower(html.substr(name_start, i - name_start));
    std::string value;
    if (i < n && html[i] == '=') {
      ++i;
      if (i < n && (html[i] == '"' || html[i] == '\'')) {
        char q = html[i++];
        size_t v = i;
        while (i < n && html[i] != q) ++i;
        value = html.substr(v, i - v);
        if (i < n) ++i;
      } else {
        size_t v = i;
        while (i < n && html[i] != '>' && !std::isspace(static_cast<unsigned char>(html[i]))) ++i;
        value = html.substr(v, i - v);
      }
    }
    if (!name.empty() && !tag.attributes.count(name)) tag.attributes[name] = Unescape(value);
    if (name.empty() && i < n && html[i] != '>') ++i;  // stray character
  }
  if (i < n) ++i;
  return tag;
}

int AttributeInt(const Tag& tag, const char* name) {
  auto it = tag.attributes.find(name);
  if (it == tag.attributes.end()) return -1;
  return std::clamp(RoundHalfEven(LeadingNumber(it->second)), 0, 100000);
}

std::string LocalPath(const std::string& address) {
  return address.rfind("file:", 0) == 0 ? PathFromStatusText(address) : address;
}

// Inline flow: elements fill a line until it is full; paragraphs and divisions break it.
struct Flow {
  int view_width;
  int x = 0, line_height = 0, height = 0, width = 0;
  void Break() {
    height += line_height;
    x = 0;
    line_height = 0;
  }
  void Place(int w, int h) {
    if (x > 0 && x + w > view_width) Break();
    x += w;
    width = std::max(width, x);
    line_height = std::max(line_height, h);
  }
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Percent-encodes what the address parser encodes in a path, query or fragment; bytes
// already written as "%XX" stay as they are.
void AppendEncoded(std::string& out, unsigned char c, bool in_path) {
  if (c <= 0x20 || c >= 0x7f || c == '"' || c == '<' || c == '>' || c == '`' ||
      (in_path && (c == '{' || c == '}'))) {
    out += '%';
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 15];
  } else {
    out += static_cast<char>(c);
  }
}

bool IsDotSegment(std::string_view seg, int dots) {
  std::string lower = AsciiLower(seg);
  size_t i = 0;
  int n = 0;
  while (i < lower.size()) {
    if (lower[i] == '.') {
      ++i;
    } else if (lower.compare(i, 3, "%2e") == 0) {
      i += 3;
    } else {
      return false;
    }
    ++n;
  }
  return n == dots;
}

}  // namespace

namespace {

// The parts of an address (RFC 3986, appendix B); a part that is absent is not "defined".
struct AddressParts {
  std::string scheme, authority, path, query, fragment;
  bool has_scheme = false, has_authority = false, has_query = false, has_fragment = false;
};

bool IsSchemeText(std::string_view s) {
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
      return false;
  }
  return true;
}

AddressParts SplitAddress(const std::string& text) {
  AddressParts a;
  std::string rest = text;
  if (size_t hash = rest.find('#'); hash != std::string::npos) {
    a.fragment = rest.substr(hash + 1);
    a.has_fragment = true;
    rest.erase(hash);
  }
  if (size_t mark = rest.find('?'); mark != std::string::npos) {
    a.query = rest.substr(mark + 1);
    a.has_query = true;
    rest.erase(mark);
  }
  if (size_t colon = rest.find(':');
      colon != std::string::npos && rest.find('/') > colon && IsSchemeText(rest.substr(0, colon))) {
    a.scheme = AsciiLower(rest.substr(0, colon));
    a.has_scheme = true;
    rest.erase(0, colon + 1);
  }
  if (rest.rfind("//", 0) == 0) {
    const size_t end = rest.find('/', 2);
    a.authority = rest.substr(2, end == std::string::npos ? std::string::npos : end - 2);
    a.has_authority = true;
    rest = end == std::string::npos ? "" : rest.substr(end);
  }
  a.path = rest;
  return a;
}

// Schemes whose paths read "\" as "/" and always have one.
bool IsSpecial(const std::string& scheme) {
  return scheme == "http" || scheme == "https" || scheme == "file" || scheme == "ftp";
}

// A path beginning with "/" with its "." and ".." segments resolved, encoded as the
// address parser writes it.
std::string NormalPath(const std::string& in) {
  std::vector<std::string> segments;
  size_t start = 1;
  while (start <= in.size()) {
    size_t slash = in.find('/', start);
    if (slash == std::string::npos) slash = in.size();
    std::string seg = in.substr(start, slash - start);
    const bool last = slash == in.size();
    if (IsDotSegment(seg, 2)) {
      if (!segments.empty()) segments.pop_back();
      if (last) segments.emplace_back();
    } else if (IsDotSegment(seg, 1)) {
      if (last) segments.emplace_back();
    } else {
      segments.push_back(seg);
    }
    start = slash + 1;
  }
  std::string out;
  for (const std::string& seg : segments) {
    out += '/';
    for (unsigned char c : seg) AppendEncoded(out, c, true);
  }
  if (segments.empty()) out += '/';
  return out;
}

// The reference as the page's parser reads it: UTF-8 (a byte that starts no character
// becomes U+FFFD), blanks and controls around it dropped, tabs and line breaks anywhere.
std::string CleanReference(const std::string& reference) {
  std::string text;
  for (size_t i = 0; i < reference.size();) {
    const size_t n = Utf8SequenceLength(reference, i);
    if (n == 0) {
      text += "\xEF\xBF\xBD";
      ++i;
    } else {
      text.append(reference, i, n);
      i += n;
    }
  }
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
  std::string in;
  for (size_t i = b; i < e; ++i) {
    if (text[i] != '\t' && text[i] != '\n' && text[i] != '\r') in += text[i];
  }
  return in;
}

std::string Joined(const AddressParts& a) {
  std::string out = a.scheme + ":";
  if (a.has_authority || a.scheme == "file") out += "//" + AsciiLower(a.authority);
  out += NormalPath(a.path.empty() ? "/" : a.path);
  if (a.has_query) {
    out += '?';
    for (unsigned char c : a.query) AppendEncoded(out, c, false);
  }
  if (a.has_fragment) {
    out += '#';
    for (unsigned char c : a.fragment) AppendEncoded(out, c, false);
  }
  return out;
}

}  // namespace

std::string ResolveAddress(const std::string& reference, const std::string& base) {
  const std::string in = CleanReference(reference);
  if (in.empty()) return in;
  AddressParts b = SplitAddress(base);
  if (!b.has_scheme || !IsSpecial(b.scheme)) {
    // No page address to resolve against: only a local path makes an address.
    if (in.empty() || (in[0] != '/' && in[0] != '\\')) return in;
    b = SplitAddress("file:///");
  }
  std::string ref = in;
  // In the path part of a special address "\" is "/".
  for (size_t i = 0; i < ref.size() && ref[i] != '?' && ref[i] != '#'; ++i) {
    if (ref[i] == '\\') ref[i] = '/';
  }
  AddressParts r = SplitAddress(ref);
  if (r.has_scheme) return in;  // written whole: taken as it stands
  AddressParts t;
  t.scheme = b.scheme;
  t.has_scheme = true;
  if (r.has_authority) {
    t.authority = r.authority;
    t.has_authority = true;
    t.path = r.path;
    t.query = r.query;
    t.has_query = r.has_query;
  } else {
    t.authority = b.authority;
    t.has_authority = b.has_authority;
    if (r.path.empty()) {
      t.path = b.path;
      t.query = r.has_query ? r.query : b.query;
      t.has_query = r.has_query || b.has_query;
    } else {
      if (r.path[0] == '/') {
        t.path = r.path;
      } else {
        const size_t slash = b.path.rfind('/');
        t.path = (slash == std::string::npos ? "/" : b.path.substr(0, slash + 1)) + r.path;
      }
      t.query = r.query;
      t.has_query = r.has_query;
    }
  }
  t.fragment = r.fragment;
  t.has_fragment = r.has_fragment;
  if (t.path.empty() || t.path[0] != '/') t.path = "/" + t.path;
  return Joined(t);
}

namespace {

// The address of the page's first <base href>, resolved against the page's own; the
// page's address when it has none. Like the engine, it serves every element of the page.
std::string DocumentBase(const std::string& html, const std::string& address) {
  size_t i = 0;
  while ((i = html.find('<', i)) != std::string::npos) {
    ++i;
    if (html.compare(i, 3, "!--") == 0) {
      const size_t end = html.find("-->", i);
      if (end == std::string::npos) break;
      i = end + 3;
      continue;
    }
    Tag tag = ReadTag(html, i);
    if (tag.name == "BASE" && tag.attributes.count("href")) {
      const std::string base = ResolveAddress(tag.attributes["href"], address);
      return SplitAddress(base).has_scheme ? base : address;
    }
  }
  return address;
}

}  // namespace

PageModel BuildPageModel(const std::string& html, int view_width, FileSystem& fs,
                         const std::string& address) {
  PageModel page;
  const std::string base = DocumentBase(html, address);
  Flow flow{std::max(view_width, 1)};
  std::string open_href;
  bool in_title = false;
  size_t i = 0;
  const size_t n = html.size();
  while (i < n) {
    if (html[i] != '<') {
      size_t next = html.find('<', i);
      if (next == std::string::npos) next = n;
      std::string text = html.substr(i, next - i);
      if (in_title) {
        page.title += Unescape(text);
      } else if (text.find_first_not_of(" \t\r\n") != std::string::npos) {
        flow.Place(static_cast<int>(text.size()) * 8, 18);
      }
      i = next;
      continue;
    }
    ++i;
    if (html.compare(i, 3, "!--") == 0) {
      size_t end = html.find("-->", i);
      i = end == std::string::npos ? n : end + 3;
      continue;
    }
    Tag tag = ReadTag(html, i);
    if (tag.name.empty()) continue;
    if (tag.name == "TITLE") in_title = true;
    if (tag.name == "/TITLE") in_title = false;
    if (tag.name == "P" || tag.name == "/P" || tag.name == "DIV" || tag.name == "/DIV" ||
        tag.name == "BR") {
      flow.Break();
    }
    if (tag.name[0] == '/') {
      if (tag.name == "/A") open_href.clear();
      continue;
    }
    HtmlElement e;
    e.tag_name = tag.name;
    if (tag.name == "BODY" && tag.attributes.count("bgcolor")) {
      page.background = tag.attributes["bgcolor"];
    }
    if (tag.name == "A" && tag.attributes.count("href")) {
      e.href = ResolveAddress(tag.attributes["href"], base);
      if (tag.attributes.count("target")) e.target = tag.attributes["target"];
      open_href = e.href;
    }
    if (tag.attributes.count("title")) e.title = tag.attributes["title"];
    if (tag.name == "IMG") {
      std::string src = tag.attributes.count("src") ? tag.attributes["src"] : "";
      e.src = ResolveAddress(src, base);
      int w = AttributeInt(tag, "width"), h = AttributeInt(tag, "height");
      const PictureSize natural = GetPictureSize(fs, LocalPath(e.src));
      e.natural_width = natural.width;
      e.natural_height = natural.height;
      e.loaded = natural.width > 0 && natural.height > 0;
      e.shown_src = e.src;
      e.link = open_href;
      if (w < 0 || h < 0) {
        if (w < 0 && h < 0) {
          w = natural.width;
          h = natural.height;
        } else if (h < 0) {
          h = natural.width > 0 ? static_cast<int>(1LL * w * natural.height / natural.width) : 0;
        } else {
          w = natural.height > 0 ? static_cast<int>(1LL * h * natural.width / natural.height) : 0;
        }
      }
      if (w == 0 && h == 0) w = h = 24;  // a missing picture shows as a small box
      int border = AttributeInt(tag, "border");
      e.width = w + 2 * std::max(border, 0);
      e.height = h + 2 * std::max(border, 0);
      flow.Place(e.width, e.height);
    }
    page.elements.push_back(e);
  }
  flow.Break();
  page.content_width = flow.width;
  page.content_height = flow.height;
  return page;
}

}  // namespace tv
