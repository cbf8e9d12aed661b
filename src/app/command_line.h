// SPDX-License-Identifier: GPL-3.0-or-later
// What the program is asked to do by its arguments.
#pragma once

#include <string>
#include <vector>

namespace tv {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  bool headless = false;
  std::string script;        // scenario file, empty when none
  std::string command_line;  // the folder or picture words, joined by blanks
  std::string error;         // what was wrong, for kError
};

// Options may stand anywhere before "--"; everything after "--" is a folder or picture,
// so a name such as "-x" opens with `tessaview -- -x` (or `./-x`).
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text `tessaview --help` prints.
std::string UsageText();

}  // namespace tv
