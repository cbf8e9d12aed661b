// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/program_run.h"

#include <glib.h>
#include <sys/wait.h>

namespace tv::test {

std::vector<std::string> RunProgramScript(const std::string& script_path) {
  std::string program = TV_PROGRAM, path = script_path;
  char* argv[] = {program.data(), const_cast<char*>("--script"), path.data(), nullptr};
  gchar* out = nullptr;
  int status = 0;
  // The program's errors go where this program's go.
  if (!g_spawn_sync(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, &out, nullptr,
                    &status, nullptr)) {
    return {};
  }
  const std::string text = out;
  g_free(out);
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
