// SPDX-License-Identifier: GPL-3.0-or-later
// Text in other character sets than the program's own UTF-8.
#pragma once

#include <string>

namespace tv {

class TextEncoding {
 public:
  virtual ~TextEncoding() = default;
  // `utf8` converted to `charset` ("GB18030"). Bytes that are not UTF-8 and characters
  // the set cannot hold become "?", so the result always has every line of the text.
  virtual std::string FromUtf8(const std::string& utf8, const std::string& charset) = 0;
  // Text in `charset` as UTF-8, with "?" for bytes that are no character of the set.
  virtual std::string ToUtf8(const std::string& text, const std::string& charset) = 0;
};

}  // namespace tv
