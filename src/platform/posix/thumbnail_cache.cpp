#include "platform/posix/thumbnail_cache.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/posix/posix_io.h"
#include "platform/posix/xdg_dirs.h"

namespace tv::posix {

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

ThumbnailCache::ThumbnailCache(std::string root, std::string program)
    : root_(std::move(root)), program_(std::move(program)) {}

ThumbnailCache ThumbnailCache::ForUser(const std::string& version) {
  return ThumbnailCache(XdgBaseDirectory("XDG_CACHE_HOME", ".cache") + "/thumbnails",
                        "tessaview-" + version);
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
  return root_ + "/" + program_ + "-wide/" + name + "-" + std::to_string(width) + "-" +
         std::to_string(stamp.mtime) + "-" + std::to_string(stamp.size) + ".jpg";
}

std::optional<std::string> ThumbnailCache::Find(const SourceStamp& stamp, int size_index) const {
  std::string png;
  if (ReadFileLimited(PathOf(stamp.uri, size_index), png, kMaxThumbnailBytes) != ReadResult::kOk)
    return std::nullopt;
  if (!ThumbnailMatches(PngTextChunks(png), stamp)) return std::nullopt;
  return png;
}

bool ThumbnailCache::Failed(const SourceStamp& stamp) const {
  std::string png;
  if (ReadFileLimited(FailedPathOf(stamp.uri), png, kMaxThumbnailBytes) != ReadResult::kOk)
    return false;
  return ThumbnailMatches(PngTextChunks(png), stamp);
}

bool ThumbnailCache::Store(const std::string& path, std::string_view png) const {
  if (!MakeFolders(FolderOf(path), 0700)) return false;
  std::string temp;
  UniqueFd fd = CreateTempBeside(path, temp);
  if (!fd.Valid()) return false;
  if (fchmod(fd.Get(), 0600) != 0 || !WriteAll(fd.Get(), png)) {
    DiscardTemp(std::move(fd), temp);
    return false;
  }
  return CommitTemp(std::move(fd), temp, path);
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

int TrimThumbnails(const std::string& root, uint64_t cap_bytes) {
  namespace fs = std::filesystem;
  struct Entry {
    int64_t changed;
    uint64_t bytes;
    std::string path;
  };
  std::vector<Entry> entries;
  uint64_t total = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
       it.increment(error)) {
    if (it.depth() > 2) it.disable_recursion_pending();
    struct stat st;
    // Regular files only, never through a link: nothing outside the cache is touched.
    if (lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    // Writers' temps and strangers stay.
    if (it->path().extension() != ".png" && it->path().extension() != ".jpg") continue;
    entries.push_back({st.st_mtim.tv_sec, static_cast<uint64_t>(st.st_size), it->path()});
    total += static_cast<uint64_t>(st.st_size);
  }
  if (total <= cap_bytes) return 0;
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.changed < b.changed; });
  int removed = 0;
  const uint64_t goal = cap_bytes / 4 * 3;
  for (const Entry& e : entries) {
    if (total <= goal) break;
    if (unlink(e.path.c_str()) == 0) {
      total -= e.bytes;
      ++removed;
    }
  }
  return removed;
}

}  // namespace tv::posix
