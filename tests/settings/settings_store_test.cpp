// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_schema.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/settings_area.h"
#include "support/comma_locale.h"

namespace tv {
namespace {

// Keys compare as the real store does: without regard to case.
class MemoryArea : public SettingsArea {
 public:
  std::map<std::string, std::string> values;
  static std::string Key(const std::string& a, const std::string& s, const std::string& k) {
    std::string out = a + "/" + s + "/" + k;
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }
  std::string Get(const std::string& a, const std::string& s, const std::string& k) override {
    auto it = values.find(Key(a, s, k));
    return it == values.end() ? "" : it->second;
  }
  bool Save(const std::string& a, const std::string& s, const std::string& k,
            const std::string& v) override {
    values[Key(a, s, k)] = v;
    return true;
  }
};

TEST(SettingsStore, PageFileCountFallsBackToThirty) {
  MemoryArea area;
  SettingsStore store(area);
  EXPECT_EQ(store.NumberOr(kPicturesPerPage), 30);
  for (const char* bad : {"25", "201", "abc", "", "30x", "-50", "99999999999"}) {
    store.SaveSetting("Main", "PageFileCount", bad);
    EXPECT_EQ(store.NumberOr(kPicturesPerPage), 30) << bad;
  }
  store.SaveSetting("Main", "PageFileCount", "200");
  EXPECT_EQ(store.NumberOr(kPicturesPerPage), 200);
  store.SaveSetting("main", "pagefilecount", " 45 ");
  EXPECT_EQ(store.NumberOr(kPicturesPerPage), 45);
}

TEST(SettingsStore, NumericReadKeepsTheTargetOnText) {
  MemoryArea area;
  SettingsStore store(area);
  int32_t v = 7;
  v = store.Number(kAutoDownload).value_or(v);
  EXPECT_EQ(v, 7);
  store.SaveSetting("setup", "Download", "yes");
  v = store.Number(kAutoDownload).value_or(v);
  EXPECT_EQ(v, 7);
  store.SaveSetting("Setup", "DOWNLOAD", "1");
  v = store.Number(kAutoDownload).value_or(v);
  EXPECT_EQ(v, 1);
  store.SaveSetting("setup", "Download", "2.5");
  v = store.Number(kAutoDownload).value_or(v);
  EXPECT_EQ(v, 2);
}

TEST(SettingsStore, NumbersReadTheSameInACommaLocale) {
  test::CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma";
  MemoryArea area;
  SettingsStore store(area);
  int32_t v = 0;
  store.SaveSetting("setup", "Download", "45.5");
  v = store.Number(kAutoDownload).value_or(v);
  EXPECT_EQ(v, 46);
  store.SaveSetting("setup", "Download", "+3.7");
  v = store.Number(kAutoDownload).value_or(v);
  EXPECT_EQ(v, 4);
  store.SaveSetting("setup", "Download", "2,5");  // not a number anywhere
  v = store.Number(kAutoDownload).value_or(v);
  EXPECT_EQ(v, 4);
}

TEST(SettingsStore, HomePageNeedsFifteenCharacters) {
  MemoryArea area;
  SettingsStore store(area);
  EXPECT_EQ(store.Text(kHomePage), kDefaultHomePage);
  EXPECT_EQ(std::string(kDefaultHomePage).size(), 37u);
  store.SaveSetting("setup", "Homepage", "http://a.b/cd");  // 13
  EXPECT_EQ(store.Text(kHomePage), kDefaultHomePage);
  store.SaveSetting("setup", "Homepage", "http://a.b/cdef");  // 15
  EXPECT_EQ(store.Text(kHomePage), "http://a.b/cdef");
}

}  // namespace
}  // namespace tv
