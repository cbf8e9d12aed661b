// SPDX-License-Identifier: GPL-3.0-or-later
// The program's settings under application "Tessaro2017".
#pragma once

#include <cstdint>
#include <string>

namespace tv {

class SettingsArea;

inline constexpr const char* kSettingsApp = "Tessaro2017";
// A picture forum's page: 37 characters, long enough to never count as missing.
inline constexpr const char* kDefaultHomePage = "https://bbs.tessa.net/forum-50-1.html";

class SettingsStore {
 public:
  explicit SettingsStore(SettingsArea& area) : area_(area) {}

  std::string GetSetting(const std::string& section, const std::string& key);
  void SaveSetting(const std::string& section, const std::string& key, const std::string& value);

  // Numeric read: a text that is no integer leaves `target` as it was.
  void ReadInteger(const std::string& section, const std::string& key, int32_t& target);

  // "Main"/"PageFileCount", 30 when missing, unreadable or outside 30..200.
  int32_t PageFileCount();
  // "setup"/"Homepage", the default home page when shorter than 15 characters.
  std::string HomePage();

 private:
  SettingsArea& area_;
};

// Parses a stored number: blanks around it, an optional sign, digits and an optional
// fraction (rounded halves to even). Anything else, or out of the 32-bit range, fails.
bool ParseStoredInteger(const std::string& text, int32_t& out);

}  // namespace tv
