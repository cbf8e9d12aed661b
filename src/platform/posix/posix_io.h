// SPDX-License-Identifier: GPL-3.0-or-later
// Small POSIX file helpers shared by the file system, the settings and registry files,
// the desktop entry and the JPEG writer.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tv::posix {

// Owns a file descriptor and closes it once.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  int Release();
  // Closes now and reports whether the close succeeded (a late write error shows here).
  bool Close();

 private:
  int fd_ = -1;
};

// Opens a regular file for reading; -1 for anything else. A FIFO or device never blocks
// the caller, because the open is non-blocking and such files are turned away.
UniqueFd OpenRegularForReading(const std::string& path);

// Writes everything, retrying after signals; false on any error or short write.
bool WriteAll(int fd, std::string_view data);
// Reads to the end, at most `limit` bytes; false on a read error or when the file is longer.
bool ReadAll(int fd, std::string& out, size_t limit);

enum class ReadResult { kOk, kMissing, kFailed };
// Reads a whole regular file of at most `limit` bytes. kMissing only when nothing is at
// the path, so a caller never mistakes an unreadable file for an empty one.
ReadResult ReadFileLimited(const std::string& path, std::string& out, size_t limit);

// The folder part of a path ("." when there is none) and the name after the last "/".
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// A new empty file beside `path` (same folder, so a rename over `path` is atomic), and
// locked for the writer's life. It has no name while it is written where the file system
// allows (O_TMPFILE), so a write cut short by a kill or a crash leaves nothing behind;
// elsewhere it is ".NAME.tmp-XXXXXX". Such temps of `path` that no living writer holds
// are removed first. Returns the descriptor and sets `temp_path` ("" when unnamed); -1
// when the folder cannot take it.
UniqueFd CreateTempBeside(const std::string& path, std::string& temp_path);

// Makes the temp durable and renames it over `path`; the temp is removed on failure.
bool CommitTemp(UniqueFd fd, const std::string& temp_path, const std::string& path);
// Gives the temp the first name `next_name` offers that no file holds (made by a link,
// which fails on a name taken meanwhile by another program, so no file is ever replaced);
// the name given, or "" when none could be (the temp is removed then).
std::string CommitTempAsNew(UniqueFd fd, const std::string& temp_path,
                            const std::function<std::string()>& next_name);
// Gives up a temp without touching `path`.
void DiscardTemp(UniqueFd fd, const std::string& temp_path);

// Removes the temps of `path` left by writers that are no longer running.
void RemoveStaleTemps(const std::string& path);

// For tests: false makes CreateTempBeside use named temps, as on a file system without
// unnamed files.
void UseUnnamedTemps(bool use);

// A write beyond the file-size limit fails with EFBIG instead of ending the program.
// Programs this one starts get the default back when they start.
void KeepRunningAtFileSizeLimit();

// Replaces `path` with `data` through a synced temp file and a rename, so a crash or a
// full disk leaves either the old or the new file whole.
bool WriteFileAtomic(const std::string& path, std::string_view data);

}  // namespace tv::posix
