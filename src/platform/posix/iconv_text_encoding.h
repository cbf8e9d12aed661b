// SPDX-License-Identifier: GPL-3.0-or-later
// Character set conversion with iconv.
#pragma once

#include "platform/text_encoding.h"

namespace tv {

class IconvTextEncoding : public TextEncoding {
 public:
  std::string FromUtf8(const std::string& utf8, const std::string& charset) override;
  std::string ToUtf8(const std::string& text, const std::string& charset) override;
};

}  // namespace tv
