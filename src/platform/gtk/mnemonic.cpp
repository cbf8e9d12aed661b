// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/mnemonic.h"

namespace tv {

namespace {
std::string Convert(const std::string& caption, bool keep_marker) {
  std::string out;
  out.reserve(caption.size() + 4);
  for (size_t i = 0; i < caption.size(); ++i) {
    char c = caption[i];
    if (c == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      } else if (keep_marker && i + 1 < caption.size()) {
        out += '_';
      }
    } else if (c == '_' && keep_marker) {
      out += "__";
    } else {
      out += c;
    }
  }
  return out;
}
}  // namespace

std::string MnemonicFromCaption(const std::string& caption) {
  return Convert(caption, true);
}
std::string PlainCaption(const std::string& caption) {
  return Convert(caption, false);
}

}  // namespace tv
