// SPDX-License-Identifier: GPL-3.0-or-later
// Listing folders and finding the mounted file systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/posix/natural_order.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/user_folders.h"

namespace tv {
namespace {

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Fills the kind and size of one entry, asking the file system only when the directory
// record does not already say enough.
void Describe(int dir_fd, const dirent& record, bool with_sizes, DirEntry& entry) {
  unsigned char type = record.d_type;
  struct stat st;
  if (type == DT_UNKNOWN) {
    if (::fstatat(dir_fd, record.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
    if (S_ISLNK(st.st_mode)) {
      type = DT_LNK;
    } else {
      entry.is_folder = S_ISDIR(st.st_mode);
      if (with_sizes && S_ISREG(st.st_mode)) entry.size = static_cast<uint64_t>(st.st_size);
      return;
    }
  }
  if (type == DT_LNK) {
    entry.is_link = true;
    // A dangling link or a link loop stays a non-folder link.
    if (::fstatat(dir_fd, record.d_name, &st, 0) != 0) return;
    entry.is_folder = S_ISDIR(st.st_mode);
    if (with_sizes && S_ISREG(st.st_mode)) entry.size = static_cast<uint64_t>(st.st_size);
    return;
  }
  entry.is_folder = type == DT_DIR;
  if (with_sizes && type == DT_REG &&
      ::fstatat(dir_fd, record.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
    entry.size = static_cast<uint64_t>(st.st_size);
  }
}

// Mount points are written with octal escapes for blanks and backslashes.
std::string DecodeMountField(std::string_view field) {
  auto oct = [](char c) { return c >= '0' && c <= '7'; };
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && oct(field[i + 1]) && oct(field[i + 2]) &&
        oct(field[i + 3])) {
      out.push_back(static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                      (field[i + 3] - '0')));
      i += 3;
      continue;
    }
    out.push_back(field[i]);
  }
  return out;
}

bool IsMediaMount(const std::string& path) {
  for (std::string_view root : {"/media", "/mnt", "/run/media"}) {
    if (path.compare(0, root.size(), root) == 0 &&
        (path.size() == root.size() || path[root.size()] == '/')) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool PosixFileSystem::List(const std::string& folder, std::vector<DirEntry>& out,
                           const std::function<bool(const DirEntry&)>& keep, bool with_sizes) {
  out.clear();
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) return false;
  const int dir_fd = ::dirfd(dir.get());
  std::vector<DirEntry> entries;
  for (;;) {
    errno = 0;
    const dirent* record = ::readdir(dir.get());
    if (!record) {
      if (errno != 0) return false;
      break;
    }
    if (IsDotOrDotDot(record->d_name)) continue;
    DirEntry entry;
    entry.name = record->d_name;
    Describe(dir_fd, *record, with_sizes, entry);
    if (keep && !keep(entry)) continue;
    entries.push_back(std::move(entry));
  }
  std::vector<std::string_view> names;
  names.reserve(entries.size());
  for (const DirEntry& e : entries) names.emplace_back(e.name);
  std::vector<uint32_t> order = NaturalOrder(names);
  out.reserve(entries.size());
  for (uint32_t index : order) out.push_back(std::move(entries[index]));
  return true;
}

std::vector<std::string> PosixFileSystem::Drives() {
  std::vector<std::string> drives{"/"};
  auto add = [&](const std::string& path) {
    if (path.empty() || !IsFolder(path)) return;
    if (std::find(drives.begin(), drives.end(), path) == drives.end()) drives.push_back(path);
  };
  add(posix::CurrentUserFolders().home);
  std::string mounts;
  posix::UniqueFd fd = posix::OpenRegularForReading("/proc/self/mounts");
  if (!fd.Valid() || !posix::ReadAll(fd.Get(), mounts, size_t{16} << 20)) return drives;
  size_t pos = 0;
  while (pos < mounts.size()) {
    size_t end = mounts.find('\n', pos);
    if (end == std::string::npos) end = mounts.size();
    std::string_view line(mounts.data() + pos, end - pos);
    pos = end + 1;
    // "device mount-point type options ..."
    size_t first = line.find(' ');
    if (first == std::string_view::npos) continue;
    size_t second = line.find(' ', first + 1);
    if (second == std::string_view::npos) second = line.size();
    std::string point = DecodeMountField(line.substr(first + 1, second - first - 1));
    if (IsMediaMount(point)) add(point);
  }
  return drives;
}

}  // namespace tv
