// SPDX-License-Identifier: GPL-3.0-or-later
// The settings area as an INI file: "[app/section]" headers and "key=value" lines.
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_area.h"

namespace tv {

// The value Get reads from the file's text: "" when it has none.
std::string IniValue(std::string_view text, const std::string& app, const std::string& section,
                     const std::string& key);
// The file's text with that one value changed (or added), as Save writes it; every other
// line is kept as written.
std::string IniWithValue(std::string_view text, const std::string& app, const std::string& section,
                         const std::string& key, const std::string& value);

class IniSettingsArea : public SettingsArea {
 public:
  // The file and its folder are created on the first save.
  explicit IniSettingsArea(std::string file_path);

  // Reads the file afresh each time, so values saved by another run are seen.
  std::string Get(const std::string& app, const std::string& section,
                  const std::string& key) override;
  // Re-reads the file, changes the one value and replaces the file atomically. A file that
  // exists but cannot be read is left alone (false) rather than overwritten.
  bool Save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& value) override;

 private:
  std::string path_;
};

}  // namespace tv
