// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/thumbnail_cache.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>
#include <algorithm>
#include <cstring>

#include <filesystem>
#include <functional>
#include <vector>

#include "platform/posix/posix_io.h"
#include "platform/posix/user_folders.h"

namespace tv::reduced {

namespace {

// A thumbnail larger than this is no thumbnail.
constexpr size_t kMaxThumbnailBytes = 64u << 20;

uint32_t BigEndian32(std::string_view b, size_t at) {
  return uint32_t{static_cast<uint8_t>(b[at])} << 24 |
         uint32_t{static_cast<uint8_t>(b[at + 1])} << 16 |
         uint32_t{static_cast<uint8_t>(b[at + 2])} << 8 | uint32_t{static_cast<uint8_t>(b[at + 3])};
}

// tEXt: keyword NUL text. iTXt: keyword NUL flag method language NUL keyword NUL text, only
// uncompressed.
void AddText(std::string_view type, std::string_view data,
             std::map<std::string, std::string>& out) {
  const size_t nul = data.find('\0');
  if (nul == std::string_view::npos) return;
  const std::string key(data.substr(0, nul));
  if (type == "tEXt") {
    out[key] = std::string(data.substr(nul + 1));
    return;
  }
  if (data.size() < nul + 3 || data[nul + 1] != 0) return;  // compressed
  const size_t language_end = data.find('\0', nul + 3);
  if (language_end == std::string_view::npos) return;
  const size_t translated_end = data.find('\0', language_end + 1);
  if (translated_end == std::string_view::npos) return;
  out[key] = std::string(data.substr(translated_end + 1));
}

bool ParseInt(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > 19) return false;
  int64_t v = 0;
  size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  value = text[0] == '-' ? -v : v;
  return true;
}

bool Matches(const std::map<std::string, std::string>& text, const char* key, int64_t want) {
  auto it = text.find(key);
  int64_t have = 0;
  return it != text.end() && ParseInt(it->second, have) && have == want;
}

}  // namespace

std::optional<SourceStamp> StampOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  SourceStamp stamp;
  stamp.uri = FileUri(path);
  if (stamp.uri.empty()) return std::nullopt;
  stamp.mtime = st.st_mtim.tv_sec;
  stamp.size = st.st_size;
  return stamp;
}

std::string FileUri(const std::string& path) {
  gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
  std::string out = uri ? uri : "";
  g_free(uri);
  return out;
}

std::string ThumbnailFileName(const std::string& uri) {
  gchar* md5 = g_compute_checksum_for_string(G_CHECKSUM_MD5, uri.data(), uri.size());
  std::string name = std::string(md5) + ".png";
  g_free(md5);
  return name;
}

std::map<std::string, std::string> PngTextChunks(std::string_view png) {
  std::map<std::string, std::string> text;
  static constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
  if (png.size() < 8 || png.substr(0, 8) != std::string_view(kSignature, 8)) return text;
  size_t at = 8;
  while (png.size() - at >= 12) {
    const uint32_t length = BigEndian32(png, at);
    const std::string_view type = png.substr(at + 4, 4);
    if (length > png.size() - at - 12) break;  // a chunk running past the end
    if (type == "tEXt" || type == "iTXt") AddText(type, png.substr(at + 8, length), text);
    if (type == "IEND") break;
    at += 12 + size_t{length};
  }
  return text;
}

bool ThumbnailMatches(const std::map<std::string, std::string>& text, const SourceStamp& stamp) {
  auto uri = text.find("Thumb::URI");
  if (uri == text.end() || uri->second != stamp.uri) return false;
  if (!Matches(text, "Thumb::MTime", stamp.mtime)) return false;
  return text.count("Thumb::Size") == 0 || Matches(text, "Thumb::Size", stamp.size);
}

ThumbnailCache::ThumbnailCache(std::string root, std::string program, std::string own)
    : root_(std::move(root)), program_(std::move(program)), own_(std::move(own)) {}

ThumbnailCache ThumbnailCache::ForUser(const std::string& version) {
  const std::string cache = posix::CurrentUserFolders().cache;
  return ThumbnailCache(cache + "/thumbnails", "tessaview-" + version, cache + "/tessaview");
}

std::string ThumbnailCache::PathOf(const std::string& uri, int size_index) const {
  return root_ + "/" + kThumbnailSizes[size_index].folder + "/" + ThumbnailFileName(uri);
}

std::string ThumbnailCache::FailedPathOf(const std::string& uri) const {
  return root_ + "/fail/" + program_ + "/" + ThumbnailFileName(uri);
}

std::string ThumbnailCache::WidePathOf(const SourceStamp& stamp, int width) const {
  std::string name = ThumbnailFileName(stamp.uri);
  name.resize(name.size() - 4);  // without ".png"
  return own_ + "/wide/" + name + "-" + std::to_string(width) + "-" + std::to_string(stamp.mtime) +
         "-" + std::to_string(stamp.size) + ".jpg";
}

std::optional<std::string> ThumbnailCache::Find(const SourceStamp& stamp, int size_index) const {
  std::string png;
  if (posix::ReadFileLimited(PathOf(stamp.uri, size_index), png, kMaxThumbnailBytes) !=
      posix::ReadResult::kOk)
    return std::nullopt;
  if (!ThumbnailMatches(PngTextChunks(png), stamp)) return std::nullopt;
  return png;
}

bool ThumbnailCache::Failed(const SourceStamp& stamp) const {
  std::string png;
  if (posix::ReadFileLimited(FailedPathOf(stamp.uri), png, kMaxThumbnailBytes) !=
      posix::ReadResult::kOk)
    return false;
  return ThumbnailMatches(PngTextChunks(png), stamp);
}

bool ThumbnailCache::Store(const std::string& path, std::string_view png) const {
  if (g_mkdir_with_parents(posix::FolderOf(path).c_str(), 0700) != 0) return false;
  std::string temp;
  posix::UniqueFd fd = posix::CreateTempBeside(path, temp);
  if (!fd.Valid()) return false;
  if (fchmod(fd.Get(), 0600) != 0 || !posix::WriteAll(fd.Get(), png)) {
    posix::DiscardTemp(std::move(fd), temp);
    return false;
  }
  return posix::CommitTemp(std::move(fd), temp, path);
}

bool ThumbnailCache::MarkFailed(const SourceStamp& stamp) const {
  // An empty 1 x 1 picture carrying the keys, as the rules for failed files ask.
  GdkPixbuf* pixel = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 1, 1);
  if (!pixel) return false;
  gdk_pixbuf_fill(pixel, 0);
  const std::string mtime = std::to_string(stamp.mtime);
  const std::string size = std::to_string(stamp.size);
  gchar* buffer = nullptr;
  gsize length = 0;
  const bool saved = gdk_pixbuf_save_to_buffer(
      pixel, &buffer, &length, "png", nullptr, "tEXt::Thumb::URI", stamp.uri.c_str(),
      "tEXt::Thumb::MTime", mtime.c_str(), "tEXt::Thumb::Size", size.c_str(), "tEXt::Software",
      program_.c_str(), nullptr);
  g_object_unref(pixel);
  if (!saved) return false;
  const bool stored = Store(FailedPathOf(stamp.uri), std::string_view(buffer, length));
  g_free(buffer);
  return stored;
}

namespace {

struct CacheFile {
  int64_t changed;
  uint64_t bytes;
  std::string path;
};

// The regular files right inside `folder` whose names end in `extension`, never through
// a link; writers' temps and strangers stay.
void AddFiles(const std::string& folder, const char* extension,
              const std::function<bool(const std::string&)>& ours, std::vector<CacheFile>& out) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    struct stat st;
    if (lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (it->path().extension() != extension || !ours(it->path())) continue;
    out.push_back({st.st_mtim.tv_sec, static_cast<uint64_t>(st.st_size), it->path()});
  }
}

// Whether a shared thumbnail says this program wrote it; its text comes before the
// picture data, so the head of the file is enough.
bool WrittenByUs(const std::string& path) {
  posix::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd.Valid()) return false;
  std::string head(8192, '\0');
  const ssize_t n = ::read(fd.Get(), head.data(), head.size());
  if (n <= 0) return false;
  head.resize(static_cast<size_t>(n));
  auto text = PngTextChunks(head);
  auto software = text.find("Software");
  return software != text.end() && software->second == kThumbnailSoftware;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int TrimThumbnails(const ThumbnailCache& cache, uint64_t cap_bytes) {
  namespace fs = std::filesystem;
  const std::string& root = cache.Root();
  int removed = 0;
  std::vector<CacheFile> files;
  auto any = [](const std::string&) { return true; };
  std::error_code error;
  for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename();
    // Earlier versions kept their wide pictures here; they now live in the program's own
    // folder.
    if (StartsWith(name, "tessaview-") && name.size() > 5 &&
        name.compare(name.size() - 5, 5, "-wide") == 0 && !it->is_symlink()) {
      std::vector<CacheFile> old;
      AddFiles(it->path(), ".jpg", any, old);
      for (const auto& f : old) removed += unlink(f.path.c_str()) == 0;
      rmdir(it->path().c_str());
    }
  }
  for (const auto& size : kThumbnailSizes)
    AddFiles(root + "/" + size.folder, ".png", WrittenByUs, files);
  for (fs::directory_iterator it(root + "/fail", error), end; !error && it != end;
       it.increment(error)) {
    if (StartsWith(it->path().filename(), "tessaview-") && !it->is_symlink()) {
      AddFiles(it->path(), ".png", any, files);
    }
  }
  AddFiles(cache.Own() + "/wide", ".jpg", any, files);

  uint64_t total = 0;
  for (const auto& f : files) total += f.bytes;
  if (total <= cap_bytes) return removed;
  std::sort(files.begin(), files.end(),
            [](const CacheFile& a, const CacheFile& b) { return a.changed < b.changed; });
  const uint64_t goal = cap_bytes / 4 * 3;
  for (const CacheFile& f : files) {
    if (total <= goal) break;
    if (unlink(f.path.c_str()) == 0) {
      total -= f.bytes;
      ++removed;
    }
  }
  return removed;
}

}  // namespace tv::reduced
