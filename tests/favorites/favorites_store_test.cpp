// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/favorites_store.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace tv {
namespace {

TEST(FavoritesStore, TitlesArePaddedCutAndFreeOfCommas) {
  EXPECT_EQ(StoredFavoriteTitle("a,b"), "ab     ");
  EXPECT_EQ(StoredFavoriteTitle(std::string(27, 't')), std::string(27, 't') + "   ");
  EXPECT_EQ(StoredFavoriteTitle(std::string(40, 't')), std::string(30, 't'));
  std::string chinese;
  for (int i = 0; i < 30; ++i) chinese += "图";
  EXPECT_EQ(StoredFavoriteTitle(chinese + "片"), chinese);  // characters, not bytes
}

TEST(FavoritesStore, AnAddressKeepsItsOwnCommas) {
  test::MemoryFileSystem fs;
  ASSERT_TRUE(AddFavorite(fs, "/p/Fav.rar", "a,b", "http://x/?a=1,2"));
  ASSERT_TRUE(AddFavorite(fs, "/p/Fav.rar", "two\nlines", "http://y/\r\n"));
  EXPECT_EQ(fs.files["/p/Fav.rar"], "ab     ,http://x/?a=1,2\r\ntwo lines     ,http://y/  \r\n");
  std::vector<std::string> lines = FavoriteLines(fs.files["/p/Fav.rar"]);
  ASSERT_EQ(lines.size(), 2u);
  Favorite f = ParseFavorite(lines[0]);
  EXPECT_EQ(f.title, "ab     ");
  EXPECT_EQ(f.address, "http://x/?a=1,2");
}

TEST(FavoritesStore, AddingAfterACutLastLineKeepsThatEntryAsItReads) {
  test::MemoryFileSystem fs;
  for (const std::string cut : {"a,http://x/", "a,http://x/\r"}) {
    fs.files["/p/Fav.rar"] = cut;
    ASSERT_TRUE(AddFavorite(fs, "/p/Fav.rar", "b", "http://y/"));
    EXPECT_EQ(FavoriteLines(fs.files["/p/Fav.rar"]),
              (std::vector<std::string>{"a,http://x/", "b     ,http://y/"}));
  }
}

TEST(FavoritesStore, ReadingSkipsEmptyLinesAndTakesAnyText) {
  std::vector<std::string> lines = FavoriteLines("a,x\r\n\r\n\nb,y,z\nno comma\r\n,\r\nlast");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(ParseFavorite(lines[1]).address, "y,z");
  EXPECT_EQ(ParseFavorite(lines[2]).title, "no comma");
  EXPECT_EQ(ParseFavorite(lines[2]).address, "");
  EXPECT_EQ(ParseFavorite(lines[3]).title, "");
  EXPECT_EQ(lines[4], "last");
}

TEST(FavoritesStore, WritingReplacesTheListWhole) {
  test::MemoryFileSystem fs;
  fs.files["/p/Fav.rar"] = "a,x\r\nb,y\r\n";
  ASSERT_TRUE(WriteFavorites(fs, "/p/Fav.rar", {"b,y"}));
  EXPECT_EQ(fs.files["/p/Fav.rar"], "b,y\r\n");
  ASSERT_TRUE(WriteFavorites(fs, "/p/Fav.rar", {}));
  EXPECT_EQ(fs.files["/p/Fav.rar"], "");
}

}  // namespace
}  // namespace tv
