// SPDX-License-Identifier: GPL-3.0-or-later
// The running program itself.
#pragma once

namespace tv {

class Process {
 public:
  virtual ~Process() = default;
  // Hands memory the program no longer uses back to the system.
  virtual void TrimWorkingSet() = 0;
};

}  // namespace tv
