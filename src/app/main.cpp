// tessaview [--headless] [--script FILE] [folder-or-picture]
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/scenario_runner.h"
#include "platform/front_end.h"
#include "platform/posix/posix_services.h"

namespace {

struct Options {
  bool headless = false;
  std::string script;
  std::string command_line;  // the rest, as one text
  bool ok = true;
};

Options ParseOptions(int argc, char** argv) {
  Options o;
  std::vector<std::string> rest;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--headless") {
      o.headless = true;
    } else if (a == "--script") {
      if (i + 1 >= argc)
        o.ok = false;
      else
        o.script = argv[++i];
    } else {
      rest.push_back(a);
    }
  }
  for (size_t i = 0; i < rest.size(); ++i) o.command_line += (i ? " " : "") + rest[i];
  return o;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  if (!options.ok) {
    std::cerr << "usage: tessaview [--headless] [--script FILE] [folder-or-picture]\n";
    return 2;
  }
  std::vector<std::string> lines;
  if (!options.script.empty() && !ReadLines(options.script, lines)) {
    std::cerr << "tessaview: cannot read " << options.script << "\n";
    return 2;
  }

  tv::PosixServices posix;
  posix.paths.ProgramFolder();  // made at start; a new one carries the first-run marker
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
  tv::Application app(platform, front_end->script);

  std::unique_ptr<tv::ScenarioRunner> runner;
  if (!options.script.empty() || options.headless) {
    front_end->script.active = true;
    front_end->script.out = &std::cout;
    runner = std::make_unique<tv::ScenarioRunner>(app, *front_end, lines, std::cout);
    platform.loop.idle_work = [&runner] { return runner->Step(); };
  }
  int rc = app.Run(options.command_line);
  if (runner && runner->Failed()) return 1;
  return rc;
}
