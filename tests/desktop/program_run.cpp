// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/program_run.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tv::test {

std::vector<std::string> RunProgramScript(const std::string& script_path) {
  int out[2];
  if (pipe(out) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string program = TV_PROGRAM;
  std::string path = script_path;
  std::vector<char*> argv = {program.data(), const_cast<char*>("--script"), path.data(), nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (rc != 0) {
    close(out[0]);
    return {};
  }
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  // A run that does not end as it should (a crash, a sanitizer's report) says so last, so
  // no comparison of the output passes over it.
  if (WIFSIGNALED(status)) {
    lines.push_back("ended by signal " + std::to_string(WTERMSIG(status)));
  } else if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
    lines.push_back("exit status " + std::to_string(WEXITSTATUS(status)));
  }
  return lines;
}

}  // namespace tv::test
