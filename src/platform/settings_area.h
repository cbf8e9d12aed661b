// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user settings area: string values under application, section and key.
// Section and key names compare without regard to case.
#pragma once

#include <string>

namespace tv {

class SettingsArea {
 public:
  virtual ~SettingsArea() = default;
  // The stored value, or the empty string when absent.
  virtual std::string Get(const std::string& app, const std::string& section,
                          const std::string& key) = 0;
  // Returns false when the store could not be written; the previous store is kept whole.
  virtual bool Save(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& value) = 0;
};

}  // namespace tv
