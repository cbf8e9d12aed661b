// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary files beside a file being replaced, and what interrupted writers left.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include "platform/posix/posix_io.h"

namespace tv::posix {
namespace {

std::atomic<bool> use_unnamed{true};

constexpr size_t kSuffixLength = 6;

// ".NAME.tmp-"; long names are cut so the whole temp name fits NAME_MAX.
std::string TempPrefix(const std::string& path) {
  std::string name = NameOf(path);
  if (name.size() > 200) name.resize(200);
  return "." + name + ".tmp-";
}

std::string FolderWithSlash(const std::string& path) {
  std::string folder = FolderOf(path);
  return folder == "/" ? folder : folder + "/";
}

std::string RandomSuffix() {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 engine{std::random_device{}()};
  std::string suffix;
  for (size_t i = 0; i < kSuffixLength; ++i) suffix += kChars[engine() % (sizeof kChars - 1)];
  return suffix;
}

bool IsTempOf(const char* entry, const std::string& prefix) {
  std::string_view name(entry);
  return name.size() == prefix.size() + kSuffixLength && name.substr(0, prefix.size()) == prefix;
}

// Gives the unnamed file a temp name beside `path`, so it can be renamed over `path`.
bool LinkUnnamed(int fd, const std::string& path, std::string& temp_path) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  const std::string base = FolderWithSlash(path) + TempPrefix(path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = base + RandomSuffix();
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp_path = candidate;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

void SyncFolder(const std::string& folder) {
  UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Valid()) ::fsync(dir.Get());
}

}  // namespace

void UseUnnamedTemps(bool use) {
  use_unnamed = use;
}

void RemoveStaleTemps(const std::string& path) {
  const std::string prefix = TempPrefix(path);
  DIR* dir = ::opendir(FolderOf(path).c_str());
  if (!dir) return;
  const int dir_fd = ::dirfd(dir);
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(dir)) {
    if (IsTempOf(entry->d_name, prefix)) stale.emplace_back(entry->d_name);
  }
  for (const std::string& name : stale) {
    UniqueFd fd(::openat(dir_fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat held, named;
    if (!fd.Valid() || ::fstat(fd.Get(), &held) != 0 || !S_ISREG(held.st_mode) ||
        held.st_uid != ::geteuid()) {
      continue;
    }
    // A living writer holds its temp locked until the rename; a lock we can take was
    // let go by a writer that died.
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (::fstatat(dir_fd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
      ::unlinkat(dir_fd, name.c_str(), 0);
    }
  }
  ::closedir(dir);
}

UniqueFd CreateTempBeside(const std::string& path, std::string& temp_path) {
  temp_path.clear();
  RemoveStaleTemps(path);
  const std::string folder = FolderOf(path);
  if (use_unnamed && ::access("/proc/self/fd", X_OK) == 0) {
    UniqueFd fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644));
    if (fd.Valid()) {
      ::fchmod(fd.Get(), 0644);
      ::flock(fd.Get(), LOCK_EX);
      return fd;
    }
    // No unnamed files on this file system: a named temp instead.
  }
  std::string pattern = FolderWithSlash(path) + TempPrefix(path) + "XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  UniqueFd fd(::mkostemp(buffer.data(), O_CLOEXEC));
  if (!fd.Valid()) return fd;
  // A sweep in another program could take the lock in the moment before this; the
  // rename then fails and the write reports it, the old file untouched.
  ::flock(fd.Get(), LOCK_EX);
  temp_path.assign(buffer.data());
  ::fchmod(fd.Get(), 0644);
  return fd;
}

bool CommitTemp(UniqueFd fd, const std::string& temp_path, const std::string& path) {
  std::string named = temp_path;
  bool ok = ::fsync(fd.Get()) == 0;
  ok = ok && (!named.empty() || LinkUnnamed(fd.Get(), path, named));
  ok = ok && ::rename(named.c_str(), path.c_str()) == 0;
  if (!ok && !named.empty()) ::unlink(named.c_str());
  // Closed only now: the lock marks the temp as taken until it is renamed. The data is
  // on disk already, so the close has nothing left to report.
  fd.Close();
  if (ok) SyncFolder(FolderOf(path));
  return ok;
}

std::string CommitTempAsNew(UniqueFd fd, const std::string& temp_path,
                            const std::function<std::string()>& next_name) {
  std::string given;
  if (::fsync(fd.Get()) == 0) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd.Get());
    for (std::string name = next_name(); !name.empty(); name = next_name()) {
      const int linked = temp_path.empty() ? ::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD,
                                                      name.c_str(), AT_SYMLINK_FOLLOW)
                                           : ::link(temp_path.c_str(), name.c_str());
      if (linked == 0) {
        given = name;
        break;
      }
      if (errno != EEXIST) break;
    }
  }
  if (!temp_path.empty()) ::unlink(temp_path.c_str());
  fd.Close();
  if (!given.empty()) SyncFolder(FolderOf(given));
  return given;
}

void DiscardTemp(UniqueFd fd, const std::string& temp_path) {
  if (!temp_path.empty()) ::unlink(temp_path.c_str());
  fd.Close();
}

}  // namespace tv::posix
