// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"

#include "platform/settings_area.h"
#include "text/text_util.h"

namespace tv {

std::string SettingsStore::GetSetting(const std::string& section, const std::string& key) {
  return area_.Get(kSettingsApp, section, key);
}

void SettingsStore::SaveSetting(const std::string& section, const std::string& key,
                                const std::string& value) {
  area_.Save(kSettingsApp, section, key, value);  // a failing write is not reported
}

void SettingsStore::ReadInteger(const std::string& section, const std::string& key,
                                int32_t& target) {
  int32_t v = 0;
  if (ParseStoredInteger(GetSetting(section, key), v)) target = v;
}

int32_t SettingsStore::PageFileCount() {
  int32_t n = 0;
  ReadInteger("Main", "PageFileCount", n);
  return n < 30 || n > 200 ? 30 : n;
}

std::string SettingsStore::HomePage() {
  std::string page = GetSetting("setup", "Homepage");
  return page.size() < 15 ? kDefaultHomePage : page;
}

bool ParseStoredInteger(const std::string& text, int32_t& out) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return false;
  size_t e = text.find_last_not_of(" \t");
  std::string t = text.substr(b, e - b + 1);
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') ++i;
  size_t digits = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
  }
  if (digits == 0 || i != t.size()) return false;
  if (t[0] == '+') t.erase(0, 1);
  std::optional<double> v = ParseDecimal(t);
  if (!v || *v > 2147483647.5 || *v < -2147483648.5) return false;
  out = RoundHalfEven(*v);
  return true;
}

}  // namespace tv
