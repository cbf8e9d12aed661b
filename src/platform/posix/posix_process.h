// SPDX-License-Identifier: GPL-3.0-or-later
// The running program on Linux.
#pragma once

#include "platform/process.h"

namespace tv {

class PosixProcess : public Process {
 public:
  void TrimWorkingSet() override;
};

}  // namespace tv
