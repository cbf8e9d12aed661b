// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail cache shared by the desktop's picture programs ($XDG_CACHE_HOME/thumbnails):
// one PNG per file and size, named by the MD5 of the file's address, carrying that address
// and the file's change time, so any program can tell whether a thumbnail still belongs
// to the file. Files that could not be read are remembered per program under fail/.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tv::reduced {

// The cache's sizes: the larger side of a thumbnail is at most `pixels`.
struct ThumbnailSize {
  const char* folder;
  int pixels;
};
inline constexpr ThumbnailSize kThumbnailSizes[] = {
    {"normal", 128}, {"large", 256}, {"x-large", 512}, {"xx-large", 1024}};
inline constexpr int kThumbnailSizeCount = 4;

// What a thumbnail is checked against: the file's address and, as it is now, its change
// time (whole seconds) and length.
struct SourceStamp {
  std::string uri;
  int64_t mtime = 0;
  int64_t size = 0;
};

// The stamp of a regular file; nothing for anything else.
std::optional<SourceStamp> StampOf(const std::string& path);

// The escaped file: address of an absolute path, as every thumbnailer writes it.
std::string FileUri(const std::string& path);

// The MD5 of the address in lower-case hex, followed by ".png".
std::string ThumbnailFileName(const std::string& uri);

// The text chunks of a PNG (keyword to text); empty when the bytes are no PNG. Reads only
// within the bytes, whatever the chunk lengths say.
std::map<std::string, std::string> PngTextChunks(std::string_view png);

// Whether a thumbnail's text chunks name this file as it is now. A length is only
// compared when the thumbnail carries one (not every program writes it).
bool ThumbnailMatches(const std::map<std::string, std::string>& text, const SourceStamp& stamp);

// What the program writes into the "Software" key of its thumbnails: the trim takes only
// thumbnails that carry it.
inline constexpr const char* kThumbnailSoftware = "Tessaview";

class ThumbnailCache {
 public:
  // `root` is the shared thumbnails folder; `program` names this program's fail/ folder;
  // `own` is the program's own cache folder, which keeps what no other program reads.
  ThumbnailCache(std::string root, std::string program, std::string own);

  // $XDG_CACHE_HOME/thumbnails, the program named "tessaview-VERSION", and
  // $XDG_CACHE_HOME/tessaview.
  static ThumbnailCache ForUser(const std::string& version);

  const std::string& Root() const { return root_; }
  const std::string& Own() const { return own_; }
  std::string PathOf(const std::string& uri, int size_index) const;
  std::string FailedPathOf(const std::string& uri) const;
  // Pictures wider than the largest shared size, kept as JPEG in own/wide/; the name holds the
  // width and the file's stamp, so a changed file never finds an old one (old ones go with the
  // trimming).
  std::string WidePathOf(const SourceStamp& stamp, int width) const;

  // The bytes of the cached thumbnail when it still belongs to the file.
  std::optional<std::string> Find(const SourceStamp& stamp, int size_index) const;
  // Whether this program already failed to read the file as it is now.
  bool Failed(const SourceStamp& stamp) const;

  // Writes a finished PNG into place through a temp file and a rename, folders 0700 and
  // files 0600, so a reader never sees half a thumbnail.
  bool Store(const std::string& path, std::string_view png) const;
  // Remembers that the file as it is now cannot be read.
  bool MarkFailed(const SourceStamp& stamp) const;

 private:
  std::string root_;
  std::string program_;
  std::string own_;
};

// Keeps the program's own part of the cache under `cap_bytes`: when the shared thumbnails it
// wrote, its failed entries and its wide pictures take more, the ones changed longest ago
// are removed until three quarters of the cap are left. Other programs' files are never
// touched; the wide folders earlier versions kept inside the shared cache are removed
// whole. Returns how many files were removed. Slow on a large cache: run it off the main
// loop.
int TrimThumbnails(const ThumbnailCache& cache, uint64_t cap_bytes);

// Half a gigabyte, as desktops that clean the cache themselves allow by default.
inline constexpr uint64_t kThumbnailCap = 512ull << 20;

}  // namespace tv::reduced
