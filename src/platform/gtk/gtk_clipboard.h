// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop clipboard; a scripted run keeps the text in memory and reports instead.
#pragma once

#include <string>

#include "platform/clipboard.h"
#include "platform/front_end.h"

namespace tv {

class GtkClipboardService : public Clipboard {
 public:
  explicit GtkClipboardService(ScriptHooks& script) : script_(script) {}

  void SetText(const std::string& text) override;
  std::string GetText() override;
  bool SetPictureFromFile(const std::string& path) override;

 private:
  ScriptHooks& script_;
  std::string scripted_text_;
};

}  // namespace tv
