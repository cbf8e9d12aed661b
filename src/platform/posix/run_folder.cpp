// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/run_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

namespace tv::posix {
namespace {

constexpr std::string_view kRunPrefix = "run-";
constexpr char kLockName[] = ".lock";
// Deeper than any page folder holds; a deeper tree is left rather than recursed into.
constexpr int kMaxDepth = 16;

// Names in a folder open as `fd`, other than "." and "..".
std::vector<std::string> NamesIn(int fd) {
  std::vector<std::string> names;
  int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (copy < 0) return names;
  DIR* dir = ::fdopendir(copy);
  if (!dir) {
    ::close(copy);
    return names;
  }
  while (const dirent* e = ::readdir(dir)) {
    std::string_view n(e->d_name);
    if (n != "." && n != "..") names.emplace_back(n);
  }
  ::closedir(dir);
  return names;
}

bool RemoveTree(int parent_fd, const std::string& name, int depth) {
  // O_NOFOLLOW: a link put where a folder was is removed as a link, never entered.
  UniqueFd dir(::openat(parent_fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!dir.Valid()) {
    if (errno == ENOTDIR || errno == ELOOP) return ::unlinkat(parent_fd, name.c_str(), 0) == 0;
    return errno == ENOENT;
  }
  if (depth > kMaxDepth) return false;
  for (const std::string& entry : NamesIn(dir.Get())) {
    struct stat st;
    if (::fstatat(dir.Get(), entry.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      RemoveTree(dir.Get(), entry, depth + 1);
    } else {
      ::unlinkat(dir.Get(), entry.c_str(), 0);
    }
  }
  dir.Close();
  return ::unlinkat(parent_fd, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT;
}

// True when the run folder `name` belongs to no running program. Called with the root's
// lock held, so no program is between making a folder and locking it.
bool IsLeftBehind(int root_fd, const std::string& name) {
  UniqueFd dir(::openat(root_fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!dir.Valid()) return false;  // not a real folder: not ours to judge
  UniqueFd lock(::openat(dir.Get(), kLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!lock.Valid()) return errno == ENOENT;  // died before it could lock
  return ::flock(lock.Get(), LOCK_EX | LOCK_NB) == 0;
}

}  // namespace

bool RemoveTreeAt(int parent_fd, const std::string& name) {
  return RemoveTree(parent_fd, name, 0);
}

bool RunFolder::Create(const std::string& root) {
  Remove();
  UniqueFd root_fd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!root_fd.Valid()) return false;
  // One program at a time sweeps and makes its folder.
  UniqueFd root_lock(
      ::openat(root_fd.Get(), ".lock", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!root_lock.Valid() || ::flock(root_lock.Get(), LOCK_EX) != 0) return false;

  for (const std::string& name : NamesIn(root_fd.Get())) {
    if (name.compare(0, kRunPrefix.size(), kRunPrefix) == 0 && IsLeftBehind(root_fd.Get(), name)) {
      RemoveTreeAt(root_fd.Get(), name);
    }
  }

  const std::string folder = root.back() == '/' ? root : root + "/";
  std::string pattern = folder + std::string(kRunPrefix) + std::to_string(::getpid()) + "-XXXXXX";
  if (!::mkdtemp(pattern.data())) return false;  // made with mode 0700
  std::string name = NameOf(pattern);
  UniqueFd dir(
      ::openat(root_fd.Get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  UniqueFd lock;
  if (dir.Valid()) {
    lock = UniqueFd(
        ::openat(dir.Get(), kLockName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  }
  if (!lock.Valid() || ::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
    RemoveTreeAt(root_fd.Get(), name);
    return false;
  }
  root_ = root;
  name_ = name;
  path_ = folder + name + "/";
  lock_ = std::move(lock);
  return true;
}

void RunFolder::Remove() {
  if (path_.empty()) return;
  UniqueFd root_fd(::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (root_fd.Valid()) RemoveTreeAt(root_fd.Get(), name_);
  lock_.Close();
  path_.clear();
}

}  // namespace tv::posix
