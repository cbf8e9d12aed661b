// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix/posix_io.h"

namespace tv {
namespace {

using posix::UniqueFd;

// Reading a whole file beyond this is a mistake, not a use.
constexpr size_t kMaxWholeFile = size_t{1} << 31;

class PosixRandomAccessFile : public RandomAccessFile {
 public:
  PosixRandomAccessFile(UniqueFd fd, uint64_t length) : fd_(std::move(fd)), length_(length) {}

  uint64_t Length() const override { return length_; }

  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < n) {
      ssize_t got = ::pread(fd_.Get(), out + done, n - done, static_cast<off_t>(offset + done));
      if (got < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (got == 0) break;
      done += static_cast<size_t>(got);
    }
    return done;
  }

 private:
  UniqueFd fd_;
  uint64_t length_;
};

}  // namespace

bool PosixFileSystem::IsFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<uint64_t> PosixFileSystem::FileLength(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(st.st_size);
}

std::optional<FileInfo> PosixFileSystem::Info(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileInfo{static_cast<uint64_t>(st.st_size), static_cast<int64_t>(st.st_mtime)};
}

std::unique_ptr<RandomAccessFile> PosixFileSystem::Open(const std::string& path) {
  UniqueFd fd = posix::OpenRegularForReading(path);
  struct stat st;
  if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0) return nullptr;
  return std::make_unique<PosixRandomAccessFile>(std::move(fd), static_cast<uint64_t>(st.st_size));
}

bool PosixFileSystem::ReadWhole(const std::string& path, std::string& out) {
  out.clear();
  UniqueFd fd = posix::OpenRegularForReading(path);
  if (!fd.Valid()) return false;
  if (posix::ReadAll(fd.Get(), out, kMaxWholeFile)) return true;
  out.clear();
  return false;
}

bool PosixFileSystem::WriteAtomic(const std::string& path, std::string_view data) {
  return posix::WriteFileAtomic(path, data);
}

bool PosixFileSystem::Replace(const std::string& path, std::string_view data) {
  std::string temp_path;
  UniqueFd fd = posix::CreateTempBeside(path, temp_path);
  if (!fd.Valid()) return false;
  if (!posix::WriteAll(fd.Get(), data)) {
    posix::DiscardTemp(std::move(fd), temp_path);
    return false;
  }
  return posix::CommitTemp(std::move(fd), temp_path, path);
}

bool PosixFileSystem::WriteWhole(const std::string& path, std::string_view data) {
  // Written over, then cut to length: emptying a file first makes some file systems
  // flush it to disk on close, which would cost every page write a disk wait.
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  if (!fd.Valid()) return false;
  bool ok = posix::WriteAll(fd.Get(), data) &&
            ::ftruncate(fd.Get(), static_cast<off_t>(data.size())) == 0;
  return fd.Close() && ok;
}

bool PosixFileSystem::Append(const std::string& path, std::string_view data) {
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
  struct stat st;
  if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (posix::WriteAll(fd.Get(), data)) return fd.Close();
  // A part written is cut off again, so the file ends where it ended.
  const int kept = ::ftruncate(fd.Get(), st.st_size);
  (void)kept;
  fd.Close();
  return false;
}

namespace {

// flock on the folder itself: no lock file is left among the user's files.
class FlockedFolder : public FileSystem::FolderLock {
 public:
  explicit FlockedFolder(UniqueFd fd) : fd_(std::move(fd)) {}
  ~FlockedFolder() override { ::flock(fd_.Get(), LOCK_UN); }

 private:
  UniqueFd fd_;
};

}  // namespace

std::unique_ptr<FileSystem::FolderLock> PosixFileSystem::LockFolder(const std::string& folder) {
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.Valid()) return std::make_unique<FolderLock>();
  while (::flock(fd.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) return std::make_unique<FolderLock>();
  }
  return std::make_unique<FlockedFolder>(std::move(fd));
}

bool PosixFileSystem::Copy(const std::string& from, const std::string& to) {
  UniqueFd in = posix::OpenRegularForReading(from);
  struct stat st;
  if (!in.Valid() || ::fstat(in.Get(), &st) != 0) return false;
  std::string temp_path;
  UniqueFd out = posix::CreateTempBeside(to, temp_path);
  if (!out.Valid()) return false;
  ::fchmod(out.Get(), st.st_mode & 0777);
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(in.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) break;
    if (n < 0 || !posix::WriteAll(out.Get(), std::string_view(buffer, static_cast<size_t>(n)))) {
      posix::DiscardTemp(std::move(out), temp_path);
      return false;
    }
  }
  return posix::CommitTemp(std::move(out), temp_path, to);
}

bool PosixFileSystem::Delete(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
  return !path.empty() && g_mkdir_with_parents(path.c_str(), 0755) == 0;
}

bool PosixFileSystem::SetAttributes(const std::string& path, uint32_t /*attributes*/) {
  // Hidden and system bits do not exist here; the call succeeds for any existing item.
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::string PosixFileSystem::RealPath(const std::string& path) {
  if (path.empty()) return "";
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return "";
  std::string result(resolved);
  std::free(resolved);
  return result;
}

}  // namespace tv
