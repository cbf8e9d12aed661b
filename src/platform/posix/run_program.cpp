// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/run_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <cerrno>

extern char** environ;

namespace tv::posix {

namespace {

bool Waited(pid_t pid, int& status, bool block) {
  for (;;) {
    pid_t done = ::waitpid(pid, &status, block ? 0 : WNOHANG);
    if (done == pid) return true;
    if (done == 0) return false;
    if (errno != EINTR) {
      status = -1;
      return true;
    }
  }
}

}  // namespace

bool RunProgram(const std::vector<std::string>& argv, int timeout_ms) {
  if (argv.empty() || argv[0].empty()) return false;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;

  int status = 0;
  const struct timespec tick = {0, 10 * 1000 * 1000};
  for (int waited = 0; !Waited(pid, status, false); waited += 10) {
    if (waited >= timeout_ms) {
      ::kill(pid, SIGKILL);
      Waited(pid, status, true);
      return false;
    }
    ::nanosleep(&tick, nullptr);
  }
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tv::posix
