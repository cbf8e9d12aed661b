// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/saved_pictures.h"

#include <algorithm>
#include <vector>

#include "platform/file_system.h"
#include "text/text_util.h"

namespace tv {

namespace {

constexpr size_t kHashDigits = 64;

bool IsHash(std::string_view s) {
  if (s.size() != kHashDigits) return false;
  for (char c : s) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

}  // namespace

std::unordered_set<std::string> ReadSavedPictures(std::string_view text) {
  std::unordered_set<std::string> hashes;
  for (std::string_view line : TextLines(text)) {
    if (IsHash(line)) hashes.emplace(line);
  }
  return hashes;
}

bool CarrySavedPictures(FileSystem& fs, const std::string& from, const std::string& to) {
  const std::string old_path = from + kSavedPicturesFile;
  if (!fs.FileLength(old_path)) return true;
  std::string old_text, new_text;
  if (!fs.ReadWhole(old_path, old_text)) return false;
  fs.ReadWhole(to + kSavedPicturesFile, new_text);  // none yet: nothing known
  const std::unordered_set<std::string> known = ReadSavedPictures(new_text);
  std::vector<std::string> carried;
  for (const std::string& hash : ReadSavedPictures(old_text)) {
    if (!known.count(hash)) carried.push_back(hash);
  }
  std::sort(carried.begin(), carried.end());
  std::string lines;
  for (const std::string& hash : carried) lines += "\n" + hash;
  if (!lines.empty() && !fs.Append(to + kSavedPicturesFile, lines)) return false;
  return fs.Delete(old_path);
}

void SavedPictures::Use(FileSystem& fs, const std::string& folder) {
  const std::string path = folder + kSavedPicturesFile;
  const std::optional<uint64_t> length = fs.FileLength(path);
  if (folder == folder_ && length == length_) return;
  if (folder != folder_) {
    addresses_.clear();
    unrecorded_.clear();
  }
  folder_ = folder;
  length_ = length;
  std::string text;
  if (length) fs.ReadWhole(path, text);
  hashes_ = ReadSavedPictures(text);
  hashes_.insert(unrecorded_.begin(), unrecorded_.end());
}

bool SavedPictures::Add(FileSystem& fs, const std::string& hash) {
  hashes_.insert(hash);
  const std::string path = folder_ + kSavedPicturesFile;
  // Each record starts on a line of its own, so one cut short earlier spoils no other.
  bool written = fs.Append(path, "\n" + hash);
  if (!written) {
    // Renamed over whatever stands there, a link included, which stays untouched.
    std::vector<std::string> all(hashes_.begin(), hashes_.end());
    std::sort(all.begin(), all.end());
    std::string text;
    for (const std::string& h : all) text += "\n" + h;
    written = fs.Replace(path, text);
  }
  if (written) {
    unrecorded_.clear();
  } else {
    unrecorded_.insert(hash);
  }
  length_ = fs.FileLength(path);
  return written;
}

}  // namespace tv
