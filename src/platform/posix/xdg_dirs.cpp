#include "platform/posix/xdg_dirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace tv::posix {
namespace {

std::string WithoutSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return WithoutSlash(home);
  std::vector<char> buffer(16384);
  struct passwd pw;
  struct passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &pw, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir && found->pw_dir[0] == '/') {
    return WithoutSlash(found->pw_dir);
  }
  return "/";
}

std::string XdgBaseDirectory(const char* variable, const char* fallback_relative) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return WithoutSlash(value);
  std::string home = HomeDirectory();
  return (home == "/" ? "" : home) + "/" + fallback_relative;
}

std::string WithSlash(std::string folder) {
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  folder.push_back('/');
  return folder;
}

}  // namespace tv::posix
