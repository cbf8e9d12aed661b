#include "platform/gtk/element_json.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>

namespace tv {

namespace {

using Scalar = std::variant<std::monostate, std::string, double>;

class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}

  void SkipSpace() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
      ++i_;
  }
  bool Eat(char c) {
    SkipSpace();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  bool AtEnd() {
    SkipSpace();
    return i_ >= s_.size();
  }

  std::optional<Scalar> ReadScalar() {
    SkipSpace();
    if (i_ >= s_.size()) return std::nullopt;
    char c = s_[i_];
    if (c == '"') {
      auto text = ReadString();
      if (!text) return std::nullopt;
      return Scalar(std::move(*text));
    }
    if (c == '-' || (c >= '0' && c <= '9')) return ReadNumber();
    for (std::string_view word : {"null", "true", "false"}) {
      if (s_.substr(i_, word.size()) == word) {
        i_ += word.size();
        return Scalar(std::monostate());
      }
    }
    return std::nullopt;
  }

 private:
  std::optional<Scalar> ReadNumber() {
    size_t start = i_;
    if (s_[i_] == '-') ++i_;
    while (i_ < s_.size() && ((s_[i_] >= '0' && s_[i_] <= '9') || s_[i_] == '.' || s_[i_] == 'e' ||
                              s_[i_] == 'E' || s_[i_] == '+' || s_[i_] == '-'))
      ++i_;
    std::string text(s_.substr(start, i_ - start));
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return std::nullopt;
    return Scalar(v);
  }

  static void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  std::optional<uint32_t> ReadHex4() {
    if (s_.size() - i_ < 4) return std::nullopt;
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) {
      char c = s_[i_++];
      v <<= 4;
      if (c >= '0' && c <= '9')
        v |= static_cast<uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f')
        v |= static_cast<uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        v |= static_cast<uint32_t>(c - 'A' + 10);
      else
        return std::nullopt;
    }
    return v;
  }

  std::optional<std::string> ReadString() {
    ++i_;  // opening quote
    std::string out;
    while (i_ < s_.size()) {
      char c = s_[i_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (i_ >= s_.size()) return std::nullopt;
      char e = s_[i_++];
      switch (e) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          auto cp = ReadHex4();
          if (!cp) return std::nullopt;
          uint32_t code = *cp;
          // A surrogate pair stands for one character; a lone half becomes U+FFFD.
          if (code >= 0xD800 && code <= 0xDBFF && s_.substr(i_, 2) == "\\u") {
            size_t save = i_;
            i_ += 2;
            auto low = ReadHex4();
            if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
              code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
            } else {
              i_ = save;
              code = 0xFFFD;
            }
          } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
          }
          AppendUtf8(out, code);
          break;
        }
        default:
          out += e;
          break;  // \" \\ \/
      }
    }
    return std::nullopt;
  }

  std::string_view s_;
  size_t i_ = 0;
};

std::string AsText(const Scalar& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return "";
}

int AsInt(const Scalar& v) {
  auto* d = std::get_if<double>(&v);
  if (!d || !std::isfinite(*d)) return 0;
  if (*d >= 2147483647.0) return 2147483647;
  if (*d <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(*d);
}

}  // namespace

std::vector<HtmlElement> ParseElementRows(std::string_view json) {
  std::vector<HtmlElement> rows;
  Reader r(json);
  if (!r.Eat('[')) return rows;
  if (r.Eat(']')) return rows;
  do {
    if (!r.Eat('[')) return rows;
    std::vector<Scalar> fields;
    if (!r.Eat(']')) {
      do {
        auto v = r.ReadScalar();
        if (!v) return rows;
        fields.push_back(std::move(*v));
      } while (r.Eat(','));
      if (!r.Eat(']')) return rows;
    }
    fields.resize(6);
    HtmlElement e;
    e.tag_name = AsText(fields[0]);
    e.src = AsText(fields[1]);
    e.href = AsText(fields[2]);
    e.target = AsText(fields[3]);
    e.width = AsInt(fields[4]);
    e.height = AsInt(fields[5]);
    rows.push_back(std::move(e));
  } while (r.Eat(','));
  return rows;
}

}  // namespace tv
