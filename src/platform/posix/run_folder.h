// SPDX-License-Identifier: GPL-3.0-or-later
// A folder that belongs to one running program: made inside a shared private root,
// locked for the program's life and removed with this object. A folder whose lock can be
// taken was left by a program that is no longer running (a crash or a kill), whatever
// process now has its number, and is removed when the next one is made.
#pragma once

#include <string>

#include "platform/posix/posix_io.h"

namespace tv::posix {

class RunFolder {
 public:
  RunFolder() = default;
  ~RunFolder() { Remove(); }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  // Removes what dead programs left in `root`, then makes this program's folder there
  // (mode 0700). False when `root` cannot take it.
  bool Create(const std::string& root);
  // The folder, ending in "/"; empty before Create succeeded.
  const std::string& Path() const { return path_; }
  // Removes the folder and all it holds; links inside are removed, never followed.
  void Remove();

 private:
  std::string root_;
  std::string name_;  // "run-PID-XXXXXX" inside root_
  std::string path_;
  UniqueFd lock_;  // held while the program runs
};

// Removes the folder `name` inside the folder open as `parent_fd`, with everything in it,
// without following any link; true when it is gone.
bool RemoveTreeAt(int parent_fd, const std::string& name);

}  // namespace tv::posix
