// SPDX-License-Identifier: GPL-3.0-or-later
// Files and folders. Paths are UTF-8 texts with "/" separators.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

struct DirEntry {
  std::string name;
  bool is_folder = false;
  bool is_link = false;  // a symbolic link (to a folder or a file)
  uint64_t size = 0;     // filled only when asked for
};

struct FileInfo {
  uint64_t size = 0;
  int64_t modified = 0;  // seconds since 1970-01-01 UTC
};

// Reads bytes at any offset without reading the whole file.
class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;
  virtual uint64_t Length() const = 0;
  // Reads up to `n` bytes at `offset`; returns how many were read.
  virtual size_t ReadAt(uint64_t offset, void* buffer, size_t n) = 0;
};

// Attribute bits as the system names them; on Linux they are accepted and change nothing.
inline constexpr uint32_t kAttrHidden = 2;
inline constexpr uint32_t kAttrSystem = 4;

enum class MoveResult { kMoved, kTargetExists, kFailed };

// kNoTrash: the file system holding the file has no wastebasket; the file is untouched.
enum class TrashResult { kTrashed, kNoTrash, kFailed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The entries of a folder other than "." and "..", in the order a file manager shows
  // them: case-insensitive, digit runs compared as numbers. `keep` (when given) filters
  // entries before they are ordered; `with_sizes` fills DirEntry::size.
  // Returns false when the folder cannot be read.
  virtual bool List(const std::string& folder, std::vector<DirEntry>& out,
                    const std::function<bool(const DirEntry&)>& keep = nullptr,
                    bool with_sizes = false) = 0;

  virtual bool IsFile(const std::string& path) = 0;
  virtual bool IsFolder(const std::string& path) = 0;
  // Length of a regular file, or nothing when it does not exist.
  virtual std::optional<uint64_t> FileLength(const std::string& path) = 0;
  virtual std::unique_ptr<RandomAccessFile> Open(const std::string& path) = 0;
  // Size and change time of a regular file.
  virtual std::optional<FileInfo> Info(const std::string& path) = 0;

  virtual bool ReadWhole(const std::string& path, std::string& out) = 0;
  // Replaces the file with `data`: written beside it and renamed over it, so a failure
  // leaves the previous file whole.
  virtual bool WriteAtomic(const std::string& path, std::string_view data) = 0;
  // Puts a new file holding `data` in place of whatever stands at `path`, written beside it
  // and renamed over it: a symbolic link there is replaced, never written through.
  virtual bool Replace(const std::string& path, std::string_view data) {
    return WriteAtomic(path, data);
  }
  // Creates or truncates and writes (pages and exported lists).
  virtual bool WriteWhole(const std::string& path, std::string_view data) = 0;
  // Adds `data` at the end of the file, which is made when missing. A failure leaves the
  // file as it was; what was there before is never rewritten.
  virtual bool Append(const std::string& path, std::string_view data) {
    std::string text;
    ReadWhole(path, text);
    return WriteAtomic(path, text + std::string(data));
  }

  // Holds every other program that asks for the same folder's lock until the holder is
  // gone; a folder no lock can be had on gives an empty holder (nothing else writes there).
  class FolderLock {
   public:
    virtual ~FolderLock() = default;
  };
  virtual std::unique_ptr<FolderLock> LockFolder(const std::string& folder) {
    (void)folder;
    return std::make_unique<FolderLock>();
  }

  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // Moves a file to the desktop's wastebasket, from where the user can take it back.
  virtual TrashResult Trash(const std::string& path) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;  // with missing parents
  // Moves a file, link or folder to `to`, onto another file system too; what is already
  // at `to` is never replaced. After a failure `from` is where it was.
  virtual MoveResult Move(const std::string& from, const std::string& to) = 0;
  // Removes a folder that holds nothing; false when it holds something or stays.
  virtual bool RemoveEmptyFolder(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;

  // Mount points of the file systems a person would pick from: root, home, media.
  virtual std::vector<std::string> Drives() = 0;
  // Canonical form of a folder path (links resolved), or empty when it does not exist.
  virtual std::string RealPath(const std::string& path) = 0;
};

}  // namespace tv
