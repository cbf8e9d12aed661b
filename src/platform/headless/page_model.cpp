#include "platform/headless/page_model.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "app/text_util.h"
#include "gallery/picture_size.h"

namespace tv {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
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

std::string LocalPath(const std::string& src) {
  if (src.rfind("file:", 0) == 0) return PathFromStatusText(src);
  return src;
}

std::string Absolute(const std::string& link) {
  if (!link.empty() && link[0] == '/') return FileUrl(link);
  return link;
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

}  // namespace

std::string FileUrl(const std::string& path) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out = "file://";
  for (unsigned char c : path) {
    if (c == ' ' || c == '%' || c == '#' || c == '?' || c == '"' || c >= 0x80 || c < 0x20) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

PageModel BuildPageModel(const std::string& html, int view_width, FileSystem& fs) {
  PageModel page;
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
      e.href = Absolute(tag.attributes["href"]);
      if (tag.attributes.count("target")) e.target = tag.attributes["target"];
      open_href = e.href;
    }
    if (tag.name == "IMG") {
      std::string src = tag.attributes.count("src") ? tag.attributes["src"] : "";
      e.src = Absolute(src);
      int w = AttributeInt(tag, "width"), h = AttributeInt(tag, "height");
      if (w < 0 || h < 0) {
        PictureSize natural = GetPictureSize(fs, LocalPath(src));
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
