// SPDX-License-Identifier: GPL-3.0-or-later
// What the view loads for an address the logic hands it.
#pragma once

#include <string>

namespace tv {

enum class AddressKind {
  Blank,      // "about:blank"
  AboutText,  // "about:TEXT": a one-line page showing TEXT
  LocalPath,  // starts with "/": the file's address
  Web,        // anything else: an address, given a scheme when it has none
};

AddressKind ClassifyAddress(const std::string& address);
// The page shown for "about:TEXT": the text escaped, in UTF-8.
std::string AboutPage(const std::string& address);
// The address to load for a Web address: unchanged when it has a scheme, else http://.
std::string WebAddress(const std::string& address);

}  // namespace tv
