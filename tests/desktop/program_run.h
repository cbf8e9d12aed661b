// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real program on a scenario script in a child process, as a person's desktop
// would start it, and gives back what it printed.
#pragma once

#include <string>
#include <vector>

namespace tv::test {

// The program's output, one entry a line; empty when it could not be started. A run that
// ends otherwise than with status 0 adds a last line saying how it ended.
std::vector<std::string> RunProgramScript(const std::string& script_path);

}  // namespace tv::test
