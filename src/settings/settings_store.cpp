// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"

#include "platform/settings_area.h"
#include "settings/settings_schema.h"
#include "text/text_util.h"
#include "text/utf8.h"

namespace tv {

std::string SettingsStore::GetSetting(const std::string& section, const std::string& key) {
  return area_.Get(kSettingsApp, section, key);
}

void SettingsStore::SaveSetting(const std::string& section, const std::string& key,
                                const std::string& value) {
  area_.Save(kSettingsApp, section, key, value);  // a failing write is not reported
}

std::optional<int32_t> SettingsStore::Number(const Setting& setting) {
  int32_t v = 0;
  if (!ParseStoredInteger(GetSetting(setting.section, setting.key), v)) return std::nullopt;
  if (v < setting.min || v > setting.max) return std::nullopt;
  return v;
}

int32_t SettingsStore::NumberOr(const Setting& setting) {
  int32_t fallback = 0;
  ParseStoredInteger(setting.fallback, fallback);
  return Number(setting).value_or(fallback);
}

std::optional<int32_t> SettingsStore::Switch(const Setting& setting) {
  const std::optional<int32_t> v = Number(setting);
  return v && (*v == 0 || *v == 1) ? v : std::nullopt;
}

std::string SettingsStore::Text(const Setting& setting) {
  std::string text = GetSetting(setting.section, setting.key);
  return CharCount(text) < static_cast<size_t>(setting.min) ? setting.fallback : text;
}

void SettingsStore::Save(const Setting& setting, const std::string& value) {
  SaveSetting(setting.section, setting.key, value);
}

void SettingsStore::Save(const Setting& setting, int32_t value) {
  Save(setting, std::to_string(value));
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
