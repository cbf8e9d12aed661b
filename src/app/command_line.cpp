// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

namespace tv {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  std::vector<std::string> words;
  bool options_ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options_ended || a.size() < 2 || a[0] != '-') {
      words.push_back(a);  // a lone "-" is a name too
    } else if (a == "--") {
      options_ended = true;
    } else if (a == "--help" || a == "-h") {
      c.action = CommandLine::Action::kHelp;
      return c;
    } else if (a == "--version") {
      c.action = CommandLine::Action::kVersion;
      return c;
    } else if (a == "--headless") {
      c.headless = true;
    } else if (a == "--script" || a.rfind("--script=", 0) == 0) {
      if (a.size() > 9) {
        c.script = a.substr(9);
      } else if (a.size() == 8 && i + 1 < args.size()) {
        c.script = args[++i];
      }
      if (c.script.empty()) {
        c.action = CommandLine::Action::kError;
        c.error = "option '--script' needs a file";
        return c;
      }
    } else {
      c.action = CommandLine::Action::kError;
      c.error = "unknown option '" + a + "'";
      return c;
    }
  }
  for (size_t i = 0; i < words.size(); ++i) c.command_line += (i ? " " : "") + words[i];
  return c;
}

std::string UsageText() {
  return "Usage: tessaview [OPTION]... [FOLDER-OR-PICTURE]\n"
         "Shows the pictures of a folder a page at a time. A picture opens its folder,\n"
         "starting with that picture.\n"
         "\n"
         "  -h, --help         show this help and exit\n"
         "      --version      show the version and exit\n"
         "      --headless     run without a window (for scenario scripts)\n"
         "      --script FILE  carry out the scenario lines of FILE\n"
         "  --                 end of options: a name that starts with '-' follows\n";
}

}  // namespace tv
