// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures already saved into a download folder, known by their content: the hashes
// of their bytes in a small file inside that folder, so the record survives a restart and
// goes with the folder wherever it is moved.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace tv {

class FileSystem;

inline constexpr const char* kSavedPicturesFile = ".tessaview-saved";

// The hashes of a record's text: one a line, 64 hexadecimal digits; anything else (a
// line cut short by a full disk, stray bytes) is passed over.
std::unordered_set<std::string> ReadSavedPictures(std::string_view text);

// Adds the record of the folder `from` to that of the folder `to` (both ending in "/")
// and removes it from `from`; true when nothing is left to carry over.
bool CarrySavedPictures(FileSystem& fs, const std::string& from, const std::string& to);

class SavedPictures {
 public:
  // Makes this the record of `folder` (ending in "/"). It is read again when the folder
  // is another one or the file has changed since (another copy of the program saved).
  void Use(FileSystem& fs, const std::string& folder);
  bool Has(const std::string& hash) const { return hashes_.count(hash) > 0; }
  // Adds a picture just written into the folder; false when the record could not take it.
  bool Add(FileSystem& fs, const std::string& hash);
  // The addresses of the pictures saved into the folder in this run. A picture whose bytes
  // the view no longer holds is known by its address: the pixels shown of it are no steady
  // mark, and its bytes may well have been saved already.
  bool HasAddress(const std::string& address) const { return addresses_.count(address) > 0; }
  void AddAddress(const std::string& address) { addresses_.insert(address); }

 private:
  std::string folder_;
  std::optional<uint64_t> length_;  // of the file when last read or written
  std::unordered_set<std::string> hashes_;
  std::unordered_set<std::string> addresses_;
};

}  // namespace tv
