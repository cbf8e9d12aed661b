// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posix_process.h"

#include <malloc.h>

namespace tv {

void PosixProcess::TrimWorkingSet() {
  malloc_trim(0);  // the heap's free pages go back to the system
}

}  // namespace tv
