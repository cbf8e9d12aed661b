// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posix_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tv::posix {

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.Release();
  }
  return *this;
}

UniqueFd::~UniqueFd() {
  Close();
}

int UniqueFd::Release() {
  int fd = fd_;
  fd_ = -1;
  return fd;
}

bool UniqueFd::Close() {
  if (fd_ < 0) return true;
  // Linux releases the descriptor even when close reports EINTR, so never retry.
  int rc = ::close(fd_);
  fd_ = -1;
  return rc == 0;
}

UniqueFd OpenRegularForReading(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.Valid()) return fd;
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return UniqueFd();
  int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

bool WriteAll(int fd, std::string_view data) {
  const char* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

bool ReadAll(int fd, std::string& out, size_t limit) {
  out.clear();
  struct stat st;
  if (::fstat(fd, &st) == 0 && st.st_size > 0 && static_cast<uint64_t>(st.st_size) <= limit) {
    out.reserve(static_cast<size_t>(st.st_size));
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (out.size() + static_cast<size_t>(n) > limit) return false;
    out.append(buffer, static_cast<size_t>(n));
  }
}

ReadResult ReadFileLimited(const std::string& path, std::string& out, size_t limit) {
  out.clear();
  UniqueFd fd = OpenRegularForReading(path);
  if (!fd.Valid()) {
    struct stat st;
    return ::lstat(path.c_str(), &st) != 0 && errno == ENOENT ? ReadResult::kMissing
                                                              : ReadResult::kFailed;
  }
  if (ReadAll(fd.Get(), out, limit)) return ReadResult::kOk;
  out.clear();
  return ReadResult::kFailed;
}

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteFileAtomic(const std::string& link_or_path, std::string_view data) {
  // A settings file kept elsewhere behind a link stays there; the link is not replaced.
  std::string path = link_or_path;
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* target = ::realpath(path.c_str(), nullptr)) {
      path = target;
      std::free(target);
    }
  }
  std::string temp_path;
  UniqueFd fd = CreateTempBeside(path, temp_path);
  if (!fd.Valid()) return false;
  // Keep the permissions a person may have given the old file.
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd.Get(), st.st_mode & 07777);
  if (!WriteAll(fd.Get(), data)) {
    DiscardTemp(std::move(fd), temp_path);
    return false;
  }
  return CommitTemp(std::move(fd), temp_path, path);
}

namespace {

void OnFileSizeLimit(int) {}

}  // namespace

void KeepRunningAtFileSizeLimit() {
  // A handler rather than SIG_IGN: an ignored signal would stay ignored in every program
  // started from here, a handler falls back to the default at exec.
  struct sigaction action = {};
  action.sa_handler = OnFileSizeLimit;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace tv::posix
