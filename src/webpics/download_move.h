// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures saved into the program's data folder by earlier versions are brought into the
// download folder the user can find, once, with nothing lost.
#pragma once

#include <string>

namespace tv {

class FileSystem;

struct DownloadMove {
  int moved = 0;  // entries now in the new folder (or found there already, byte for byte)
  int left = 0;   // entries still in the old folder, tried again at the next start
};

// Moves every entry of the folder `from` into the folder `to` (both ending in "/"), made
// when missing. A name already taken in `to` is kept for the entry there: the one moved
// in gets " (2)", " (3)" … before its extension, unless it holds the very same bytes,
// when the old copy goes. The record of saved pictures joins the new folder's. `from` is
// removed once nothing is left in it. Nothing happens when `to` lies inside `from`.
DownloadMove MoveDownloads(FileSystem& fs, const std::string& from, const std::string& to);

// "name (n).ext" for "name.ext", "name (n)" for "name"; a leading dot starts no extension.
std::string NumberedName(const std::string& name, int n);

}  // namespace tv
