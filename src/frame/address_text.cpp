// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/address_text.h"

#include <cctype>

namespace tv {

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

bool HasScheme(const std::string& text) {
  for (const char* scheme : {"http:", "https:", "file:", "ftp:", "about:"}) {
    if (StartsWithNoCase(text, scheme)) return true;
  }
  return false;
}

// ":PORT" at `at`, up to the end of the host part; an empty rest is no port, which is fine.
bool IsPortOrNothing(const std::string& host, size_t at) {
  if (at == host.size()) return true;
  if (host[at] != ':' || host.size() - at < 2 || host.size() - at > 6) return false;
  long port = 0;
  for (size_t i = at + 1; i < host.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(host[i]))) return false;
    port = port * 10 + (host[i] - '0');
  }
  return port >= 1 && port <= 65535;
}

bool IsBracketedIpv6(const std::string& host, size_t& end) {
  if (host.empty() || host[0] != '[') return false;
  end = host.find(']');
  if (end == std::string::npos || end < 3) return false;
  for (size_t i = 1; i < end; ++i) {
    const unsigned char c = static_cast<unsigned char>(host[i]);
    if (!std::isxdigit(c) && c != ':' && c != '.') return false;
  }
  ++end;
  return true;
}

}  // namespace

bool CanBeAddress(const std::string& text) {
  if (text.find('.') != std::string::npos || HasScheme(text)) return true;
  const std::string host = text.substr(0, text.find_first_of("/?#"));
  if (StartsWithNoCase(host, "localhost")) return IsPortOrNothing(host, 9);
  size_t end = 0;
  return IsBracketedIpv6(host, end) && IsPortOrNothing(host, end);
}

}  // namespace tv
