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
  // Reads the record again when another copy of the program has added to it.
  void Refresh(FileSystem& fs) { Use(fs, folder_); }
  const std::string& Folder() const { return folder_; }
  bool Has(const std::string& hash) const { return hashes_.count(hash) > 0; }
  // Adds a picture just written into the folder. A record that takes no line (a symbolic
  // link, a read-only file) is replaced by a file of the program's own, never written
  // through the link; false when that fails too: the picture is then known only until the
  // program ends.
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
  std::unordered_set<std::string> unrecorded_;  // saved, but the record took them not
  std::unordered_set<std::string> addresses_;
};

}  // namespace tv
