#include "platform/posix/xdg_paths.h"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/posix_io.h"
#include "platform/posix/xdg_dirs.h"

namespace tv {
namespace {

using posix::WithSlash;

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A private folder: made with 0700, and an existing one must be ours and a real folder.
bool MakePrivateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
    return false;
  }
  if ((st.st_mode & 07777) != 0700 && ::chmod(path.c_str(), 0700) != 0) return false;
  return ::access(path.c_str(), R_OK | W_OK | X_OK) == 0;
}

// One quoted value of user-dirs.dirs: "$HOME/Pictures" or "/absolute", "\" escapes.
std::string ParseUserDir(std::string_view value, const std::string& home) {
  size_t open = value.find('"');
  if (open == std::string_view::npos) return "";
  std::string path;
  size_t i = open + 1;
  for (; i < value.size() && value[i] != '"'; ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    path.push_back(value[i]);
  }
  if (i >= value.size()) return "";  // no closing quote
  if (path.compare(0, 5, "$HOME") == 0 && (path.size() == 5 || path[5] == '/')) {
    return (home == "/" ? "" : home) + path.substr(5);
  }
  return path.empty() || path[0] != '/' ? "" : path;
}

}  // namespace

std::string XdgPaths::ProgramFolder() {
  if (program_folder_) return *program_folder_;
  std::string folder =
      WithSlash(posix::XdgBaseDirectory("XDG_DATA_HOME", ".local/share")) + "tessaview/";
  if (!IsFolder(folder) && posix::MakeFolders(folder, 0755)) {
    program_folder_created_ = true;
    // More than 10 bytes tells the first start to write the default settings.
    posix::WriteFileAtomic(folder + "search.dat", "Tessaview first run\r\n");
  }
  program_folder_ = folder;
  return folder;
}

bool XdgPaths::ProgramFolderWasCreated() {
  ProgramFolder();
  return program_folder_created_;
}

std::string XdgPaths::PageFolder() {
  if (page_folder_) return *page_folder_;
  // The shared root is private to the user; inside it each running program has its own
  // folder, so two copies never show or act on each other's pages.
  std::string root;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/' && IsFolder(runtime)) {
    root = WithSlash(runtime) + "tessaview";
    if (MakePrivateFolder(root) && run_pages_.Create(root)) {
      page_folder_ = run_pages_.Path();
      return *page_folder_;
    }
  }
  std::string cache = WithSlash(posix::XdgBaseDirectory("XDG_CACHE_HOME", ".cache"));
  posix::MakeFolders(cache, 0700);
  MakePrivateFolder(cache + "tessaview");
  root = cache + "tessaview/pages";
  if (MakePrivateFolder(root) && run_pages_.Create(root)) {
    page_folder_ = run_pages_.Path();
    return *page_folder_;
  }
  // A read-only home: the system's temporary folder, in a root of this user's own that
  // no other user can have made for us.
  const std::string temp = WithSlash(g_get_tmp_dir()) + "tessaview-" + std::to_string(::geteuid());
  if (MakePrivateFolder(temp) && run_pages_.Create(temp)) {
    page_folder_ = run_pages_.Path();
  } else {
    page_folder_ = root + "/";  // nothing can be written there; page writes fail and say so
  }
  return *page_folder_;
}

std::string XdgPaths::ExecutablePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return "";
    if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), n);
    if (buffer.size() >= (size_t{1} << 20)) return "";
    buffer.resize(buffer.size() * 2);
  }
}

std::string XdgPaths::PicturesFolder() {
  return UserFolder("XDG_PICTURES_DIR=");
}

std::string XdgPaths::DownloadsFolder() {
  return UserFolder("XDG_DOWNLOAD_DIR=");
}

std::string XdgPaths::UserFolder(std::string_view key) {
  std::string home = posix::HomeDirectory();
  std::string file =
      WithSlash(posix::XdgBaseDirectory("XDG_CONFIG_HOME", ".config")) + "user-dirs.dirs";
  std::string text;
  if (posix::ReadFileLimited(file, text, size_t{1} << 20) == posix::ReadResult::kOk) {
    std::string_view rest(text);
    while (!rest.empty()) {
      size_t end = rest.find('\n');
      std::string_view line = rest.substr(0, end);
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
      if (line.substr(0, key.size()) != key) continue;
      std::string path = ParseUserDir(line.substr(key.size()), home);
      if (!path.empty() && IsFolder(path)) return WithSlash(path);
    }
  }
  return WithSlash(home);
}

std::string XdgPaths::HomeFolder() {
  return WithSlash(posix::HomeDirectory());
}

std::string XdgPaths::CurrentFolder() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() >= (size_t{1} << 20)) return HomeFolder();
    buffer.resize(buffer.size() * 2);
  }
  return WithSlash(buffer.data());
}

bool XdgPaths::SettingsKept() {
  const std::string folder = ConfigFolder();
  return g_mkdir_with_parents(folder.c_str(), 0700) == 0 &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string XdgPaths::ConfigFolder() {
  return WithSlash(posix::XdgBaseDirectory("XDG_CONFIG_HOME", ".config")) + "tessaview/";
}

std::string XdgPaths::MimeappsList() {
  return WithSlash(posix::XdgBaseDirectory("XDG_CONFIG_HOME", ".config")) + "mimeapps.list";
}

std::string XdgPaths::ApplicationsFolder() {
  return WithSlash(posix::XdgBaseDirectory("XDG_DATA_HOME", ".local/share")) + "applications/";
}

}  // namespace tv
