// SPDX-License-Identifier: GPL-3.0-or-later
// Switches LC_NUMERIC to a locale that writes "3,5" for the life of the object, as GTK's
// start-up does on a German desktop. Uses an installed one when there is one, else builds
// a tiny one (numbers only) with localedef into a temporary folder: no network, a few ms.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tv::test {

class CommaLocale {
 public:
  CommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE"}) {
      if (Use(name)) return;
    }
    if (Build()) Use("tvcomma");
  }
  ~CommaLocale() {
    std::setlocale(LC_NUMERIC, "C");
    if (!folder_.empty()) {
      unsetenv("LOCPATH");
      std::error_code ec;
      std::filesystem::remove_all(folder_, ec);
    }
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool Active() const { return active_; }

 private:
  bool Use(const char* name) {
    if (!std::setlocale(LC_NUMERIC, name)) return false;
    active_ = std::localeconv()->decimal_point == std::string(",");
    if (!active_) std::setlocale(LC_NUMERIC, "C");
    return active_;
  }

  bool Build() {
    char pattern[] = "/tmp/tessaview-locale.XXXXXX";
    if (!mkdtemp(pattern)) return false;
    folder_ = pattern;
    const std::string source = folder_ + "/comma.def";
    std::ofstream(source) << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                             "grouping 3;3\nEND LC_NUMERIC\n";
    // An ASCII character map of its own: the system's maps come with the locales package.
    const std::string charmap = folder_ + "/ascii";
    {
      std::ofstream map(charmap);
      map << "<code_set_name> TVASCII\n<mb_cur_min> 1\n<mb_cur_max> 1\nCHARMAP\n";
      char line[32];
      for (int c = 0; c < 128; ++c) {
        std::snprintf(line, sizeof line, "<U%04X> /x%02x\n", c, c);
        map << line;
      }
      map << "END CHARMAP\n";
    }
    const std::string target = folder_ + "/tvcomma";
    // It warns about the categories left out and exits 1, but writes the locale.
    const char* argv[] = {"localedef",     "-c",           "-i",   source.c_str(), "-f",
                          charmap.c_str(), target.c_str(), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&quiet, 1, 2);
    pid_t pid;
    int rc = posix_spawnp(&pid, "localedef", &quiet, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (rc != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    if (!std::filesystem::exists(target + "/LC_NUMERIC")) return false;
    setenv("LOCPATH", folder_.c_str(), 1);
    return true;
  }

  std::string folder_;
  bool active_ = false;
};

}  // namespace tv::test
