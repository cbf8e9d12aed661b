// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_schema.h"

#include <gtest/gtest.h>

#include <map>

#include "favorites/favorites_store.h"
#include "platform/settings_area.h"
#include "settings/kept_windows.h"
#include "support/comma_locale.h"
#include "support/memory_file_system.h"

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
  int saves = 0;
  bool Save(const std::string& a, const std::string& s, const std::string& k,
            const std::string& v) override {
    ++saves;
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
  store.SaveSetting("main", "pagefilecount", " 45 ");
  EXPECT_EQ(store.NumberOr(kPicturesPerPage), 45);
}

// Text keeps the value read before; numbers read the same in a decimal-comma locale.
TEST(SettingsStore, NumericReadKeepsTheTargetOnTextInAnyLocale) {
  test::CommaLocale comma;
  MemoryArea area;
  SettingsStore store(area);
  int32_t v = store.Number(kAutoDownload).value_or(7);
  // "2,5" is not a number anywhere.
  for (auto [text, want] :
       {std::pair{"yes", 7}, {"2.5", 2}, {"45.5", 46}, {"+3.7", 4}, {"2,5", 4}}) {
    store.SaveSetting("Setup", "DOWNLOAD", text);
    v = store.Number(kAutoDownload).value_or(v);
    EXPECT_EQ(v, want) << text;
  }
}

// One entry a line: a title padded, cut and free of commas, then the address with its own.
TEST(FavoritesStore, EachEntryStaysOneLineAndReadsAsItWasAdded) {
  std::string chinese;
  for (int i = 0; i < 30; ++i) chinese += "图";
  EXPECT_EQ(StoredFavoriteTitle(chinese + "片"), chinese);  // characters, not bytes
  test::MemoryFileSystem fs;
  ASSERT_TRUE(AddFavorite(fs, "/p/Fav.rar", "a,b", "http://x/?a=1,2"));
  ASSERT_TRUE(AddFavorite(fs, "/p/Fav.rar", "two\nlines", "http://y/\r\n"));
  EXPECT_EQ(fs.files["/p/Fav.rar"], "ab     ,http://x/?a=1,2\r\ntwo lines     ,http://y/  \r\n");
  EXPECT_EQ(ParseFavorite(FavoriteLines(fs.files["/p/Fav.rar"])[0]).address, "http://x/?a=1,2");
  // After a last line cut short, that entry still reads as it did.
  for (const std::string cut : {"a,http://x/", "a,http://x/\r"}) {
    fs.files["/p/Fav.rar"] = cut;
    ASSERT_TRUE(AddFavorite(fs, "/p/Fav.rar", "b", "http://y/"));
    EXPECT_EQ(FavoriteLines(fs.files["/p/Fav.rar"]),
              (std::vector<std::string>{"a,http://x/", "b     ,http://y/"}));
  }
  // Empty lines are skipped; any other text is an entry.
  std::vector<std::string> lines = FavoriteLines("a,x\r\n\r\n\nb,y,z\nno comma\r\n,\r\nlast");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(ParseFavorite(lines[1]).address, "y,z");
  EXPECT_EQ(ParseFavorite(lines[2]).title, "no comma");
  EXPECT_EQ(ParseFavorite(lines[2]).address, "");
  EXPECT_EQ(ParseFavorite(lines[3]).title, "");
  EXPECT_EQ(lines[4], "last");
}

TEST(SettingsStore, KeptWindowSizesStayOnTheScreenAndAboveTheSmallest) {
  MemoryArea area;
  SettingsStore store(area);
  const ScreenArea screen{0, 0, 1280 * 15, 1000 * 15};
  const KeptWindow fallback{16800, 10800, false};
  struct Case {
    const char *width, *height;
    int want_width, want_height;  // pixels
  };
  const Case cases[] = {
      {"", "", 1120, 720},             // nothing kept: as at a first start
      {"99999", "99999", 1280, 1000},  // larger than the screen
      {"120", "50", 400, 300},         // smaller than the smallest window
      {"-640", "480", 1120, 720},      // no positive number
      {"wide", "480", 1120, 720},
      {"640", "", 1120, 720},  // one side alone is no size
      {"99999999999", "480", 1120, 720},
      {"640.4", " 480 ", 640, 480},  // written by hand
  };
  for (const Case& c : cases) {
    store.SaveSetting("Main", "WindowWidth", c.width);
    store.SaveSetting("Main", "WindowHeight", c.height);
    const KeptWindow kept = ReadKeptWindow(store, "Main", fallback, screen);
    EXPECT_EQ(kept.width, c.want_width * 15) << c.width << " x " << c.height;
    EXPECT_EQ(kept.height, c.want_height * 15) << c.width << " x " << c.height;
  }
  // Where the screen is unknown a side past 8192 pixels is no size.
  store.SaveSetting("Main", "WindowWidth", "9000");
  store.SaveSetting("Main", "WindowHeight", "700");
  EXPECT_EQ(ReadKeptWindow(store, "Main", fallback, {}).width, 16800);
  store.SaveSetting("Main", "WindowWidth", "8000");
  EXPECT_EQ(ReadKeptWindow(store, "Main", fallback, {}).width, 8000 * 15);
  for (const char* text : {"yes", "2", "-1"}) {
    store.SaveSetting("Browser", "Maximized", text);
    EXPECT_FALSE(ReadKeptWindow(store, "Browser", fallback, screen).maximized) << text;
  }
  store.SaveSetting("browser", "maximized", "1");
  EXPECT_TRUE(ReadKeptWindow(store, "Browser", fallback, screen).maximized);
}

TEST(SettingsStore, GalleryLookFallsBackValueByValueAndRewritesOnlyChanges) {
  MemoryArea area;
  SettingsStore store(area);
  const auto read = [&] {
    const GalleryLook look = ReadGalleryLook(store);
    return std::vector<int>{look.layout, look.width_mode, look.zoom, look.colour_index};
  };
  EXPECT_EQ(read(), (std::vector<int>{0, 0, 100, 0}));
  store.SaveSetting("Main", "Layout", "5");
  store.SaveSetting("Main", "WidthMode", "-1");
  store.SaveSetting("Main", "Zoom", "99999");
  store.SaveSetting("Main", "BackColor", "red");
  EXPECT_EQ(read(), (std::vector<int>{0, 0, 100, 0}));
  store.SaveSetting("Main", "Zoom", "4");  // below what zooming out reaches
  EXPECT_EQ(ReadGalleryLook(store).zoom, 100);

  KeepGalleryLook(store, {3, 2, kMaxGalleryZoom, 9});
  EXPECT_EQ(read(), (std::vector<int>{3, 2, kMaxGalleryZoom, 9}));
  // Each save rewrites the whole file: the same look again writes nothing.
  const int saves = area.saves;
  KeepGalleryLook(store, {3, 2, kMaxGalleryZoom, 9});
  EXPECT_EQ(area.saves, saves);
}

}  // namespace
}  // namespace tv
