// SPDX-License-Identifier: GPL-3.0-or-later
// The program's settings under application "Tessaro2017".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

class SettingsArea;
struct Setting;

inline constexpr const char* kSettingsApp = "Tessaro2017";
// A picture forum's page: 37 characters, long enough to never count as missing.
inline constexpr const char* kDefaultHomePage = "https://bbs.tessa.net/forum-50-1.html";

class SettingsStore {
 public:
  explicit SettingsStore(SettingsArea& area) : area_(area) {}

  std::string GetSetting(const std::string& section, const std::string& key);
  void SaveSetting(const std::string& section, const std::string& key, const std::string& value);

  // A setting of the schema: a number inside its range, else nothing.
  std::optional<int32_t> Number(const Setting& setting);
  // A number inside its range, else the setting's fallback.
  int32_t NumberOr(const Setting& setting);
  // A switch as the options dialog takes it: only 0 or 1.
  std::optional<int32_t> Switch(const Setting& setting);
  // A text of at least the setting's characters, else its fallback.
  std::string Text(const Setting& setting);
  void Save(const Setting& setting, const std::string& value);
  void Save(const Setting& setting, int32_t value);

 private:
  SettingsArea& area_;
};

// Parses a stored number: blanks around it, an optional sign, digits and an optional
// fraction (rounded halves to even). Anything else, or out of the 32-bit range, fails.
bool ParseStoredInteger(const std::string& text, int32_t& out);

}  // namespace tv
