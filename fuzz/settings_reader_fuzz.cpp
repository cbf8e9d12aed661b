// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as the program reads it: any bytes give values and numbers in their
// ranges, and saving one value changes only that value and keeps every other line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/posix/ini_settings_area.h"
#include "platform/posix/section_text.h"
#include "platform/settings_area.h"
#include "settings/settings_schema.h"

namespace {

// The store over one text, as the file area reads and writes it.
class TextSettingsArea : public tv::SettingsArea {
 public:
  std::string text;
  std::string Get(const std::string& app, const std::string& section,
                  const std::string& key) override {
    return tv::IniValue(text, app, section, key);
  }
  bool Save(const std::string& app, const std::string& section, const std::string& key,
            const std::string& value) override {
    text = tv::IniWithValue(text, app, section, key, value);
    return true;
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

bool IsPlainInteger(const std::string& text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string other_key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(48);
  const std::string text = in.ConsumeRemainingBytesAsString();

  // Rewriting what was read loses nothing but a leading byte-order mark.
  std::string plain = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
  if (!plain.empty() && plain.back() != '\n') plain += '\n';
  TV_FUZZ_REQUIRE(tv::posix::SectionText::Parse(text).Serialize() == plain);

  TextSettingsArea area;
  area.text = text;
  tv::SettingsStore store(area);
  const int32_t pages = store.NumberOr(tv::kPicturesPerPage);
  TV_FUZZ_REQUIRE(pages >= 30 && pages <= 200);
  TV_FUZZ_REQUIRE(store.Text(tv::kHomePage).size() >= 15);

  int32_t number = -7;
  const bool parsed = tv::ParseStoredInteger(value, number);
  if (IsPlainInteger(value)) TV_FUZZ_REQUIRE(parsed && number == std::atoi(value.c_str()));
  if (!parsed) TV_FUZZ_REQUIRE(number == -7);

  // A saved value reads back as saved, and no other value moves.
  const std::string other_before = store.GetSetting(section, other_key);
  const std::string elsewhere_before = store.GetSetting(section + "x", key);
  store.SaveSetting(section, key, value);
  TV_FUZZ_REQUIRE(store.GetSetting(section, key) == value);
  if (!tv::posix::EqualsIgnoringCase(key, other_key)) {
    TV_FUZZ_REQUIRE(store.GetSetting(section, other_key) == other_before);
  }
  TV_FUZZ_REQUIRE(store.GetSetting(section + "x", key) == elsewhere_before);
  // Every other line stays as written: one line changed, one added, or a new section of
  // two lines.
  const std::vector<std::string> before_lines = Lines(plain), after_lines = Lines(area.text);
  size_t prefix = 0, suffix = 0;
  while (prefix < before_lines.size() && prefix < after_lines.size() &&
         before_lines[prefix] == after_lines[prefix]) {
    ++prefix;
  }
  while (suffix + prefix < before_lines.size() && suffix + prefix < after_lines.size() &&
         before_lines[before_lines.size() - 1 - suffix] ==
             after_lines[after_lines.size() - 1 - suffix]) {
    ++suffix;
  }
  const size_t removed = before_lines.size() - prefix - suffix;
  const size_t added = after_lines.size() - prefix - suffix;
  TV_FUZZ_REQUIRE(removed <= 1 && added >= removed && added <= 2);
  if (added == 2) TV_FUZZ_REQUIRE(removed == 0);
  return 0;
}
