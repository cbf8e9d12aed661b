// SPDX-License-Identifier: GPL-3.0-or-later
// The real file system through POSIX calls.
#pragma once

#include "platform/file_system.h"

namespace tv {

class PosixFileSystem : public FileSystem {
 public:
  PosixFileSystem() = default;

  // Sizes are filled before `keep` runs, so a filter may look at them.
  bool List(const std::string& folder, std::vector<DirEntry>& out,
            const std::function<bool(const DirEntry&)>& keep = nullptr,
            bool with_sizes = false) override;

  bool IsFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::optional<uint64_t> FileLength(const std::string& path) override;
  // Regular files only; null for folders, devices and pipes.
  std::unique_ptr<RandomAccessFile> Open(const std::string& path) override;

  std::optional<FileInfo> Info(const std::string& path) override;
  bool ReadWhole(const std::string& path, std::string& out) override;
  bool WriteAtomic(const std::string& path, std::string_view data) override;
  bool Append(const std::string& path, std::string_view data) override;
  bool Replace(const std::string& path, std::string_view data) override;
  bool WriteWhole(const std::string& path, std::string_view data) override;

  // Copies through a temp file beside the target, so the target is replaced whole or not at all.
  std::unique_ptr<FolderLock> LockFolder(const std::string& folder) override;
  bool Copy(const std::string& from, const std::string& to) override;
  // Removes a file or a link; false for folders and missing paths.
  bool Delete(const std::string& path) override;
  // Through GIO, to the freedesktop trash of the file's file system.
  TrashResult Trash(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  // Through GIO: a rename, else a copy (times and permissions kept) and a delete. Links
  // move as links.
  MoveResult Move(const std::string& from, const std::string& to) override;
  bool RemoveEmptyFolder(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;

  // "/", the home folder, then mounted media under /media, /mnt and /run/media.
  std::vector<std::string> Drives() override;
  std::string RealPath(const std::string& path) override;
};

}  // namespace tv
