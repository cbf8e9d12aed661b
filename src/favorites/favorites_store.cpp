// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/favorites_store.h"

#include <algorithm>

#include "platform/file_system.h"
#include "text/text_util.h"
#include "text/utf8.h"

namespace tv {

namespace {

constexpr size_t kTitleCharacters = 30;
constexpr size_t kListLimit = 16 * 1024 * 1024;  // far past any list a person keeps

}  // namespace

std::string StoredFavoriteTitle(const std::string& title) {
  std::string t = CharLeft(title + "     ", kTitleCharacters);
  t.erase(std::remove(t.begin(), t.end(), ','), t.end());
  return t;
}

std::vector<std::string> FavoriteLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::string_view line : TextLines(text)) {
    if (!line.empty()) lines.emplace_back(line);
  }
  return lines;
}

Favorite ParseFavorite(const std::string& line) {
  const size_t comma = line.find(',');
  if (comma == std::string::npos) return {line, ""};
  return {line.substr(0, comma), line.substr(comma + 1)};
}

bool WriteFavorites(FileSystem& fs, const std::string& path,
                    const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return fs.WriteAtomic(path, text);
}

bool AddFavorite(FileSystem& fs, const std::string& path, const std::string& title,
                 const std::string& address) {
  std::string text;
  if (fs.FileLength(path).value_or(0) > kListLimit) return false;
  if (fs.IsFile(path) && !fs.ReadWhole(path, text)) return false;  // never lose the list
  // Line breaks in a title or address would make two entries of one.
  std::string entry = StoredFavoriteTitle(title) + "," + address;
  std::replace_if(
      entry.begin(), entry.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  // A last line without its line break gets one; a lone CR there is already half of it.
  if (!text.empty() && text.back() != '\n') text += text.back() == '\r' ? "\n" : "\r\n";
  return fs.WriteAtomic(path, text + entry + "\r\n");
}

}  // namespace tv
