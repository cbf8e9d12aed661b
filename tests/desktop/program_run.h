// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real program on a scenario script in a child process, as a person's desktop
// would start it, and gives back what it printed.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "support/loopback_server.h"
#include "support/test_env.h"

namespace tv::test {

using Lines = std::vector<std::string>;

// The program's output, one entry a line; empty when it could not be started. A run that
// ends otherwise than with status 0 adds a last line saying how it ended.
std::vector<std::string> RunProgramScript(const std::string& script_path);

// The engine's web processes this process started and has not lost.
std::set<int> WebProcesses();

// The program in a private home, on pages of a loopback server of the test's own.
struct ServedRun {
  ServedRun() { home.Write("home/.local/share/tessaview/keep", ""); }

  // Starts on `page` of the server, with `extra` lines of setup.
  void Settings(const std::string& page, const std::string& extra = "") {
    home.Write("home/.config/tessaview/settings.ini",
               "[Tessaro2017/setup]\nHomepage=" + server.Url(page) + "\n" + extra);
  }

  std::vector<std::string> Run(const std::string& script) {
    return RunProgramScript(home.Write("script.scn", script));
  }

  std::string Downloads() const { return home.Root() + "/home/Tessaview"; }

  TempHome home;
  LoopbackServer server;
};

}  // namespace tv::test
