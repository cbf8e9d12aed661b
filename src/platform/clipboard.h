// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tv {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() = 0;
  // Loads the picture file and puts it on the clipboard; false (clipboard unchanged)
  // when the picture cannot be read.
  virtual bool SetPictureFromFile(const std::string& path) = 0;
};

}  // namespace tv
