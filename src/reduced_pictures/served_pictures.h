// SPDX-License-Identifier: GPL-3.0-or-later
// What the engine may still hold of the pictures the program's scheme served. The engine
// keeps a served picture by the "file:" address its page names, whatever width it was
// made at, and hands it to the next page naming that address: that spares a page change
// of a gallery shown before its reading and decoding, as long as the copy still fits. A
// page that shows a picture at another width, or a file changed since it was served,
// needs the engine's copies dropped before it loads.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "reduced_pictures/picture_requests.h"

namespace tv::reduced {

// A file as it is now: two versions differ when it was written or replaced between them.
struct FileVersion {
  int64_t mtime_ns = 0;
  int64_t size = 0;
  uint64_t inode = 0;
  bool operator==(const FileVersion&) const = default;
};
std::optional<FileVersion> VersionOf(const std::string& path);

class ServedPictures {
 public:
  using VersionReader = std::function<std::optional<FileVersion>(const std::string&)>;

  // `path` was served made for `width` (0: at its own size) from the file at `version`.
  void Served(const std::string& path, int width, const std::optional<FileVersion>& version);
  // Whether a page showing its pictures at `widths` could be handed a copy made for another
  // width or from an older file.
  bool Stale(const PictureWidths& widths, int scale, const VersionReader& version_of) const;
  // Whether a page that names no widths (it shows every picture at its own size) could be
  // handed a reduced copy.
  bool AnyReduced() const;
  // The engine dropped every copy.
  void Forget() { served_.clear(); }

 private:
  struct Copy {
    int width = 0;
    std::optional<FileVersion> version;
  };
  std::unordered_map<std::string, Copy> served_;
};

}  // namespace tv::reduced
