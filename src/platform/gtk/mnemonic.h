// SPDX-License-Identifier: GPL-3.0-or-later
// Captions mark their access key with "&"; GTK marks it with "_".
#pragma once

#include <string>

namespace tv {

// "打开(&O)" -> "打开(_O)", "&&" -> "&", a literal "_" -> "__".
std::string MnemonicFromCaption(const std::string& caption);
// The caption as plain text: markers removed, "&&" -> "&".
std::string PlainCaption(const std::string& caption);

}  // namespace tv
