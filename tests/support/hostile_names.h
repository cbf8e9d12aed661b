// SPDX-License-Identifier: GPL-3.0-or-later
// File names people really have, from cameras, archives unpacked from other systems and
// downloads: escapes, URL delimiters, line breaks, bytes that are no UTF-8, markup.
#pragma once

#include <string>
#include <vector>

namespace tv::test {

// Every name with `extension` (".jpg") added; "photo 1" first, so a misread "photo%201"
// would land on it.
inline std::vector<std::string> HostileNames(const std::string& extension) {
  std::vector<std::string> names;
  for (const char* stem :
       {"photo 1", "photo%201", "%2E%2E%2Fvictim", "a%00b", "50%", "x#y", "what?", "back\\slash",
        "tab\there", "line\nbreak", "cr\rlf\r\n",
        "\xb2\xe2\xca\xd4",  // GBK bytes
        "春游 01", "-n", "it's=`x`", "holiday onload=document.body.innerHTML=document.URL ",
        "\"><img src=x onerror=alert(1)>", "amp&amp;", " lead"}) {
    names.push_back(stem + extension);
  }
  names.push_back(std::string(251, 'L') + extension);
  return names;
}

}  // namespace tv::test
