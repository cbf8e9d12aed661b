// SPDX-License-Identifier: GPL-3.0-or-later
// tessaview [OPTION]... [folder-or-picture]  (the options: UsageText)
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/scenario_runner.h"
#include "platform/front_end.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/posix_services.h"
#include "platform/posix/user_folders.h"
#include "program/application.h"

namespace {

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const tv::CommandLine options =
      tv::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (options.action) {
    case tv::CommandLine::Action::kHelp:
      std::cout << tv::UsageText();
      return 0;
    case tv::CommandLine::Action::kVersion:
      std::cout << "Tessaview " TV_VERSION "\n";
      return 0;
    case tv::CommandLine::Action::kError:
      std::cerr << "tessaview: " << options.error << "\nTry 'tessaview --help' for more.\n";
      return 2;
    case tv::CommandLine::Action::kRun:
      break;
  }
  std::vector<std::string> lines;
  if (!options.script.empty() && !ReadLines(options.script, lines)) {
    std::cerr << "tessaview: cannot read " << options.script << "\n";
    return 2;
  }

  tv::posix::KeepBaseFoldersAbsolute();     // before GLib or the engine reads them
  tv::posix::KeepRunningAtFileSizeLimit();  // a write past the limit fails, reported
  tv::PosixServices posix;
  posix.paths.ProgramFolder();  // made at start; a new one carries the first-run marker
  posix.paths.PageFolder();     // made at start, clearing what killed copies left behind
  std::unique_ptr<tv::FrontEnd> front_end;
#ifdef TV_HAVE_DESKTOP
  if (!options.headless) {
    front_end = tv::MakeDesktopFrontEnd(posix.fs, posix.paths);
    if (!front_end) {
      std::cerr << "tessaview: no display; use --headless --script FILE\n";
      return 1;
    }
  }
#endif
  if (!front_end) front_end = tv::MakeHeadlessFrontEnd(posix.fs, posix.paths);

  tv::Platform platform = tv::PlatformOf(posix, *front_end, posix.fs);
  auto app = std::make_unique<tv::Application>(platform, front_end->script);

  std::unique_ptr<tv::ScenarioRunner> runner;
  if (!options.script.empty() || options.headless) {
    front_end->script.active = true;
    front_end->script.out = &std::cout;
    runner = std::make_unique<tv::ScenarioRunner>(*app, *front_end, lines, std::cout);
    platform.loop.idle_work = [&runner] { return runner->Step(); };
  }
#ifdef TV_HAVE_DESKTOP
  if (!options.headless && !tv::DesktopFilesInPlace(*front_end)) return 1;
#endif
  if (!options.headless) app->LeaveWindowsToProcessEnd();
  int rc = app->Run(options.command_line);
  if (runner && runner->Failed()) rc = 1;
  if (!options.headless) {
    // What the user keeps is written; the windows, the views and the engine's connection
    // end with the process, and only the program's own folders are cleaned up.
    static_cast<void>(runner.release());
    static_cast<void>(app.release());
    static_cast<void>(front_end.release());
  }
  return rc;
}
