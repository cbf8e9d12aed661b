// SPDX-License-Identifier: GPL-3.0-or-later
// Folders held in memory for tests of the walks and listings over them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/memory_file_system.h"

namespace tv::test {

// Folders held in memory, listed in the order their entries were added. Files are known
// by their length only.
class Tree : public MemoryFileSystem {
 public:
  std::map<std::string, std::vector<DirEntry>> folders;  // path without trailing "/"
  std::map<std::string, uint64_t> lengths;
  std::map<std::string, std::string> real_paths;  // folders reached another way
  std::vector<std::string> listed;
  std::set<std::string> unreadable;  // folders that are there but cannot be listed

  void AddFile(const std::string& path, uint64_t length) {
    AddEntry(path, DirEntry{Name(path), false, false, 0});
    lengths[path] = length;
  }
  void AddFolder(const std::string& path) {
    if (folders.count(path)) return;
    folders[path];
    if (path != "/") AddEntry(path, DirEntry{Name(path), true, false, 0});
  }
  // A folder entry that lists as `target` does, marked as a link or not.
  void AddFolderAlias(const std::string& path, const std::string& target, bool is_link) {
    AddEntry(path, DirEntry{Name(path), true, is_link, 0});
    if (is_link) return;
    folders[path] = folders[target];
    real_paths[path] = target;
  }

  bool List(const std::string& folder, std::vector<DirEntry>& out,
            const std::function<bool(const DirEntry&)>& keep, bool) override {
    std::string key =
        folder.size() > 1 && folder.back() == '/' ? folder.substr(0, folder.size() - 1) : folder;
    listed.push_back(key);
    auto it = folders.find(key);
    if (it == folders.end() || unreadable.count(key)) return false;
    out.clear();
    for (const DirEntry& e : it->second) {
      if (!keep || keep(e)) out.push_back(e);
    }
    return true;
  }
  bool IsFolder(const std::string& p) override { return folders.count(p) > 0; }
  std::optional<uint64_t> FileLength(const std::string& p) override {
    auto it = lengths.find(p);
    if (it == lengths.end()) return MemoryFileSystem::FileLength(p);
    return it->second;
  }
  std::string RealPath(const std::string& p) override {
    std::string key = p.size() > 1 && p.back() == '/' ? p.substr(0, p.size() - 1) : p;
    auto it = real_paths.find(key);
    return it == real_paths.end() ? key : it->second;
  }

 private:
  static std::string Name(const std::string& path) { return path.substr(path.rfind('/') + 1); }
  void AddEntry(const std::string& path, DirEntry e) {
    std::string parent = path.substr(0, path.rfind('/'));
    if (parent.empty()) parent = "/";
    AddFolder(parent);
    folders[parent].push_back(std::move(e));
  }
};

}  // namespace tv::test
