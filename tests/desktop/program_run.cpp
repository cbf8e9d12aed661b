// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/program_run.h"

#include <dirent.h>
#include <glib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

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

std::set<int> WebProcesses() {
  std::set<int> found;
  DIR* dir = opendir("/proc");
  if (!dir) return found;
  while (dirent* e = readdir(dir)) {
    const int pid = std::atoi(e->d_name);
    if (pid <= 0) continue;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const size_t open = text.find('('), close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    char state = 0;
    int parent = -1;
    std::sscanf(text.c_str() + close + 2, "%c %d", &state, &parent);
    if (parent == getpid() && state != 'Z' && text.compare(open + 1, 15, "WebKitWebProces") == 0)
      found.insert(pid);
  }
  closedir(dir);
  return found;
}

}  // namespace tv::test
