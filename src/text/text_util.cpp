// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_util.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace tv {

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string PathFromStatusText(const std::string& status) {
  if (status.rfind("file://", 0) != 0) return status.size() > 8 ? status.substr(8) : "";
  std::string rest = status.substr(7);
  // The file is named by the path alone: a query or fragment is no part of it.
  if (auto cut = rest.find_first_of("?#"); cut != std::string::npos) rest.erase(cut);
  auto slash = rest.find('/');  // past the host part, "" or "localhost"
  if (slash == std::string::npos) return "";
  rest.erase(0, slash);
  std::string out;
  out.reserve(rest.size());
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 &&
        HexValue(rest[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
      i += 2;
    } else {
      out += rest[i];
    }
  }
  return out;
}

std::string AfterLastSlash(const std::string& path) {
  auto p = path.rfind('/');
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::string UpToLastSlash(const std::string& path) {
  auto p = path.rfind('/');
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

double LeadingNumber(std::string_view text) {
  std::string digits;
  bool seen_point = false, seen_digit = false, seen_exp = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n') continue;
    if ((c == '-' || c == '+') && (digits.empty() || digits.back() == 'e')) {
      digits += c;
    } else if (c >= '0' && c <= '9') {
      digits += c;
      seen_digit = true;
    } else if (c == '.' && !seen_point && !seen_exp) {
      digits += c;
      seen_point = true;
    } else if ((c == 'e' || c == 'E') && seen_digit && !seen_exp) {
      digits += 'e';
      seen_exp = true;
    } else {
      break;
    }
  }
  if (!seen_digit) return 0;
  // An exponent with no digits after it ("3e") reads as the number before it.
  while (!digits.empty() && (digits.back() == 'e' || digits.back() == '+' || digits.back() == '-'))
    digits.pop_back();
  if (digits[0] == '+') digits.erase(0, 1);
  return ParseDecimal(digits).value_or(0);
}

std::optional<double> ParseDecimal(std::string_view text) {
  // strtod would follow the locale GTK sets, where "3.5" may read as 3.
  double v = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, v);
  if (error != std::errc() || stop != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

int RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(std::nearbyint(value));  // default rounding mode: halves to even
}

bool IsPictureAddress(const std::string& address) {
  const std::string lower = AsciiLower(address.substr(0, 8));
  for (const char* scheme : {"http://", "https://", "file:", "data:"}) {
    if (lower.rfind(scheme, 0) == 0) return true;
  }
  return false;
}

std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace tv
