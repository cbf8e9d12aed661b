// SPDX-License-Identifier: GPL-3.0-or-later
// The memory of this process and of the engine's processes it started, read from /proc.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// Parent process id of `pid`, from /proc/PID/stat.
inline int ParentOf(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(in, text);
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream rest(text.substr(close + 2));
  char state;
  int parent = -1;
  rest >> state >> parent;
  return parent;
}

inline long PssKb(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
  std::string key;
  long kb = 0;
  while (in >> key) {
    if (key == "Pss:") {
      in >> kb;
      return kb;
    }
    in.ignore(1 << 20, '\n');
  }
  return 0;
}

// `root` first, then every process descended from it (the engine's web and network
// processes); this process when `root` is 0.
inline std::vector<int> ProcessTree(int root = 0) {
  std::vector<std::pair<int, int>> all;  // pid, parent
  if (DIR* dir = opendir("/proc")) {
    while (dirent* e = readdir(dir)) {
      const int pid = std::atoi(e->d_name);
      if (pid > 0) all.emplace_back(pid, ParentOf(pid));
    }
    closedir(dir);
  }
  std::vector<int> tree = {root > 0 ? root : getpid()};
  for (size_t i = 0; i < tree.size(); ++i) {
    for (auto [pid, parent] : all) {
      if (parent == tree[i]) tree.push_back(pid);
    }
  }
  return tree;
}

// The command name of `pid`, from /proc/PID/comm ("WebKitWebProces", "WebKitNetworkPr").
inline std::string CommandOf(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(in, name);
  return name;
}

// The part of `pid`'s PSS in mappings of files whose path holds `part` (a library).
inline long MappedPssKb(int pid, const std::string& part) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/smaps");
  long kb = 0;
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
        line.find(':') > line.find(' ')) {
      inside = line.find(part) != std::string::npos;
    } else if (inside && line.rfind("Pss:", 0) == 0) {
      kb += std::atol(line.c_str() + 4);
    }
  }
  return kb;
}

// Processes outside `tree` that map the engine's libraries too (other copies of the program,
// engine processes of other programs): PSS splits shared pages among all that map them, so
// while any run, the figures read lower than the program costs on its own.
inline int OtherEngineUsers(const std::vector<int>& tree) {
  int count = 0;
  if (DIR* dir = opendir("/proc")) {
    while (dirent* e = readdir(dir)) {
      const int pid = std::atoi(e->d_name);
      if (pid <= 0 || std::find(tree.begin(), tree.end(), pid) != tree.end()) continue;
      const std::string name = CommandOf(pid);
      if (name.rfind("WebKit", 0) == 0 || name == "tessaview") ++count;
    }
    closedir(dir);
  }
  return count;
}

// A warning line for figures read while OtherEngineUsers is not 0.
inline void WarnOfOtherEngineUsers(const std::vector<int>& tree) {
  if (int others = OtherEngineUsers(tree)) {
    std::printf("WARNING: %d other engine processes run; PSS reads low until they end\n", others);
  }
}

}  // namespace bench
