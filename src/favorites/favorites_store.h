// SPDX-License-Identifier: GPL-3.0-or-later
// The favourites list "Fav.rar" in the program folder: one entry a line, the title, a
// comma and the address. Titles hold no comma, so the first comma ends the title; the
// address may hold commas of its own.
#pragma once

#include <string>
#include <vector>

namespace tv {

class FileSystem;

inline constexpr const char* kFavoritesFile = "Fav.rar";

struct Favorite {
  std::string title;
  std::string address;
};

// The title as stored: followed by five blanks, cut to 30 characters, commas removed.
std::string StoredFavoriteTitle(const std::string& title);

// The non-empty lines of the list, whole.
std::vector<std::string> FavoriteLines(const std::string& text);
// A line split at its first comma; a line without one is all title.
Favorite ParseFavorite(const std::string& line);

// Adds an entry at the end of the list; false when the list could not be written (it is
// then left as it was).
bool AddFavorite(FileSystem& fs, const std::string& path, const std::string& title,
                 const std::string& address);
// Replaces the list with these lines.
bool WriteFavorites(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines);

}  // namespace tv
