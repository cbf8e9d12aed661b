// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/view_address.h"

#include <cctype>

#include "text/text_util.h"

namespace tv {

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i) {
    if (i >= text.size() ||
        std::tolower(static_cast<unsigned char>(text[i])) != static_cast<unsigned char>(prefix[i]))
      return false;
  }
  return true;
}

// "scheme://", or one of the schemes without a host part. "host:port/..." is no scheme.
bool HasScheme(const std::string& address) {
  if (address.empty() || !std::isalpha(static_cast<unsigned char>(address[0]))) return false;
  size_t i = 1;
  while (i < address.size()) {
    unsigned char c = static_cast<unsigned char>(address[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') break;
    ++i;
  }
  if (i >= address.size() || address[i] != ':') return false;
  if (address.compare(i, 3, "://") == 0) return true;
  for (const char* bare :
       {"mailto:", "javascript:", "data:", "about:", "file:", "http:", "https:", "ftp:"}) {
    if (StartsWithNoCase(address, bare)) return true;
  }
  return false;
}

}  // namespace

AddressKind ClassifyAddress(const std::string& address) {
  if (StartsWithNoCase(address, "about:")) {
    return address.size() == 11 && StartsWithNoCase(address, "about:blank")
               ? AddressKind::Blank
               : AddressKind::AboutText;
  }
  if (!address.empty() && address[0] == '/') return AddressKind::LocalPath;
  return AddressKind::Web;
}

std::string AboutPage(const std::string& address) {
  std::string text = address.size() > 6 ? address.substr(6) : "";
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" + HtmlEscape(text) +
         "</body></html>";
}

std::string WebAddress(const std::string& address) {
  if (address.empty() || HasScheme(address)) return address;
  return "http://" + address;
}

}  // namespace tv
