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
  for (const std::string& stem :
       {std::string("photo 1"),
        std::string("photo%201"),
        std::string("%2E%2E%2Fvictim"),
        std::string("a%00b"),
        std::string("50%"),
        std::string("x#y"),
        std::string("what?"),
        std::string("back\\slash"),
        std::string("tab\there"),
        std::string("line\nbreak"),
        std::string("cr\rlf\r\n"),
        std::string("\xb2\xe2\xca\xd4"),  // GBK bytes
        std::string("春游 01"),
        std::string("-n"),
        std::string("it's=`x`"),
        std::string("holiday onload=document.body.innerHTML=document.URL "),
        std::string("\"><img src=x onerror=alert(1)>"),
        std::string("amp&amp;"),
        std::string(" lead"),
        std::string(251, 'L')}) {
    names.push_back(stem + extension);
  }
  return names;
}

}  // namespace tv::test
