// SPDX-License-Identifier: GPL-3.0-or-later
// Files held in memory, counting what is read, for tests of code that reads headers.
#pragma once

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/file_system.h"

namespace tv::test {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  size_t bytes_read = 0;
  int reads = 0;

  bool List(const std::string&, std::vector<DirEntry>&, const std::function<bool(const DirEntry&)>&,
            bool) override {
    return false;
  }
  bool IsFile(const std::string& p) override { return files.count(p) > 0; }
  bool IsFolder(const std::string&) override { return false; }
  std::optional<uint64_t> FileLength(const std::string& p) override {
    auto it = files.find(p);
    if (it == files.end()) return std::nullopt;
    return it->second.size();
  }
  std::unique_ptr<RandomAccessFile> Open(const std::string& p) override {
    auto it = files.find(p);
    if (it == files.end()) return nullptr;
    return std::make_unique<File>(*this, it->second);
  }
  std::optional<FileInfo> Info(const std::string& p) override {
    auto it = files.find(p);
    if (it == files.end()) return std::nullopt;
    return FileInfo{it->second.size(), 0};
  }
  bool ReadWhole(const std::string& p, std::string& out) override {
    auto it = files.find(p);
    if (it == files.end()) return false;
    out = it->second;
    return true;
  }
  bool WriteAtomic(const std::string& p, std::string_view d) override { return WriteWhole(p, d); }
  bool WriteWhole(const std::string& p, std::string_view d) override {
    files[p] = std::string(d);
    return true;
  }
  bool Copy(const std::string& a, const std::string& b) override {
    if (!files.count(a)) return false;
    files[b] = files[a];
    return true;
  }
  bool Delete(const std::string& p) override { return files.erase(p) > 0; }
  TrashResult Trash(const std::string&) override { return TrashResult::kNoTrash; }
  bool CreateFolder(const std::string&) override { return true; }
  MoveResult Move(const std::string& a, const std::string& b) override {
    if (files.count(b)) return MoveResult::kTargetExists;
    auto it = files.find(a);
    if (it == files.end()) return MoveResult::kFailed;
    files[b] = std::move(it->second);
    files.erase(a);
    return MoveResult::kMoved;
  }
  bool RemoveEmptyFolder(const std::string&) override { return false; }
  bool SetAttributes(const std::string& p, uint32_t) override { return files.count(p) > 0; }
  std::vector<std::string> Drives() override { return {"/"}; }
  std::string RealPath(const std::string& p) override { return p; }

 private:
  class File : public RandomAccessFile {
   public:
    File(MemoryFileSystem& fs, const std::string& data) : fs_(fs), data_(data) {}
    uint64_t Length() const override { return data_.size(); }
    size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
      if (offset >= data_.size()) return 0;
      n = std::min(n, static_cast<size_t>(data_.size() - offset));
      std::memcpy(buffer, data_.data() + offset, n);
      fs_.bytes_read += n;
      ++fs_.reads;
      return n;
    }

   private:
    MemoryFileSystem& fs_;
    const std::string& data_;
  };
};

}  // namespace tv::test
