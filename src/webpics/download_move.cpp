// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/download_move.h"

#include <vector>

#include "platform/file_system.h"
#include "program/saved_pictures.h"

namespace tv {

namespace {

// A name is tried with this many numbers before the entry is left where it is.
constexpr int kMaxNumber = 10000;

bool SameBytes(FileSystem& fs, const std::string& a, const std::string& b) {
  const auto length_a = fs.FileLength(a);
  if (!length_a || length_a != fs.FileLength(b)) return false;
  std::string bytes_a, bytes_b;
  return fs.ReadWhole(a, bytes_a) && fs.ReadWhole(b, bytes_b) && bytes_a == bytes_b;
}

// One entry into `to`; true when it is there now.
bool MoveEntry(FileSystem& fs, const DirEntry& entry, const std::string& from,
               const std::string& to) {
  const std::string source = from + entry.name;
  const bool plain_file = !entry.is_folder && !entry.is_link;
  for (int n = 1; n <= kMaxNumber; ++n) {
    const std::string target = to + (n == 1 ? entry.name : NumberedName(entry.name, n));
    switch (fs.Move(source, target)) {
      case MoveResult::kMoved:
        return true;
      case MoveResult::kFailed:
        return false;
      case MoveResult::kTargetExists:
        // A copy made before (a move whose delete failed, or by hand) is not doubled.
        if (plain_file && SameBytes(fs, source, target)) return fs.Delete(source);
        break;
    }
  }
  return false;
}

}  // namespace

std::string NumberedName(const std::string& name, int n) {
  const size_t dot = name.rfind('.');
  const size_t stem = dot == std::string::npos || dot == 0 ? name.size() : dot;
  return name.substr(0, stem) + " (" + std::to_string(n) + ")" + name.substr(stem);
}

DownloadMove MoveDownloads(FileSystem& fs, const std::string& from, const std::string& to) {
  DownloadMove result;
  if (to.compare(0, from.size(), from) == 0) return result;
  std::vector<DirEntry> entries;
  if (!fs.List(from, entries)) return result;  // no old folder: nothing to bring
  if (entries.empty()) {
    fs.RemoveEmptyFolder(from);
    return result;
  }
  fs.CreateFolder(to);
  const bool carried = CarrySavedPictures(fs, from, to);
  for (const DirEntry& entry : entries) {
    if (entry.name == kSavedPicturesFile) {
      if (!carried) ++result.left;
      continue;
    }
    if (MoveEntry(fs, entry, from, to)) {
      ++result.moved;
    } else {
      ++result.left;
    }
  }
  if (result.left == 0) fs.RemoveEmptyFolder(from);
  return result;
}

}  // namespace tv
