// SPDX-License-Identifier: GPL-3.0-or-later
// The favourites list as the menu and the dialogs read it, and an entry added to it: any
// bytes give whole entries, and adding one keeps every entry that was there.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "favorites/favorites_store.h"
#include "fuzz/fuzz_check.h"
#include "tests/support/memory_file_system.h"
#include "text/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string title = in.ConsumeRandomLengthString(60);
  const std::string address = in.ConsumeRandomLengthString(80);
  const std::string list = in.ConsumeRemainingBytesAsString();

  const std::vector<std::string> lines = tv::FavoriteLines(list);
  for (const std::string& line : lines) {
    TV_FUZZ_REQUIRE(!line.empty() && line.find('\n') == std::string::npos);
    const tv::Favorite f = tv::ParseFavorite(line);
    TV_FUZZ_REQUIRE(f.title.find(',') == std::string::npos);
    if (line.find(',') != std::string::npos) {
      TV_FUZZ_REQUIRE(f.title + "," + f.address == line);
    } else {
      TV_FUZZ_REQUIRE(f.title == line && f.address.empty());
    }
  }

  const std::string stored = tv::StoredFavoriteTitle(title);
  TV_FUZZ_REQUIRE(stored.find(',') == std::string::npos);
  TV_FUZZ_REQUIRE(tv::CharCount(stored) <= 30);

  // Adding keeps the list and puts the entry last, on a line of its own.
  tv::test::MemoryFileSystem fs;
  const std::string path = "/p/Fav.rar";
  fs.files[path] = list;
  TV_FUZZ_REQUIRE(tv::AddFavorite(fs, path, title, address));
  std::vector<std::string> expected = lines;
  std::string entry = stored + "," + address;
  for (char& c : entry) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  expected.push_back(entry);
  const std::vector<std::string> after = tv::FavoriteLines(fs.files[path]);
  TV_FUZZ_REQUIRE(after == expected);
  TV_FUZZ_REQUIRE(tv::ParseFavorite(after.back()).address == tv::ParseFavorite(entry).address);

  // The dialogs write the list back from its lines; reading gives the same lines.
  TV_FUZZ_REQUIRE(tv::WriteFavorites(fs, path, lines));
  TV_FUZZ_REQUIRE(tv::FavoriteLines(fs.files[path]) == lines);
  return 0;
}
