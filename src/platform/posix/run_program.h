// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a helper program of the system: found on the PATH, given its arguments as they
// are, never through a shell.
#pragma once

#include <string>
#include <vector>

namespace tv::posix {

// Runs `argv[0]` with the arguments `argv`, its output discarded, and waits for it at most
// `timeout_ms` (then stops it). True when it ran and succeeded; false also when the
// program is not installed.
bool RunProgram(const std::vector<std::string>& argv, int timeout_ms);

}  // namespace tv::posix
