// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/xdg_paths.h"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix/posix_io.h"

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

}  // namespace

const posix::UserFolders& XdgPaths::Folders() {
  if (!folders_) folders_ = posix::CurrentUserFolders();
  return *folders_;
}

std::string XdgPaths::ProgramFolder() {
  if (program_folder_) return *program_folder_;
  std::string folder = WithSlash(Folders().data) + "tessaview/";
  if (!IsFolder(folder) && g_mkdir_with_parents(folder.c_str(), 0755) == 0) {
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
  const std::string& runtime = Folders().runtime;
  if (!runtime.empty() && IsFolder(runtime)) {
    root = WithSlash(runtime) + "tessaview";
    if (MakePrivateFolder(root) && run_pages_.Create(root)) {
      page_folder_ = run_pages_.Path();
      return *page_folder_;
    }
  }
  std::string cache = WithSlash(Folders().cache);
  g_mkdir_with_parents(cache.c_str(), 0700);
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
  const std::string& pictures = Folders().pictures;
  return WithSlash(!pictures.empty() && IsFolder(pictures) ? pictures : Folders().home);
}

std::string XdgPaths::DownloadsFolder() {
  const std::string& download = Folders().download;
  return WithSlash(!download.empty() && IsFolder(download) ? download : Folders().home);
}

std::string XdgPaths::DownloadFolder() {
  const std::string& download = Folders().download;
  return WithSlash(download.empty() ? Folders().home : download) + "Tessaview/";
}

std::string XdgPaths::WebsiteDataFolder() {
  return WithSlash(Folders().data) + "tessaview/website-data/";
}

std::string XdgPaths::WebsiteCacheFolder() {
  return WithSlash(Folders().cache) + "tessaview/website-cache/";
}

std::string XdgPaths::HomeFolder() {
  return WithSlash(Folders().home);
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
  return WithSlash(Folders().config) + "tessaview/";
}

std::string XdgPaths::MimeappsList() {
  return WithSlash(Folders().config) + "mimeapps.list";
}

std::string XdgPaths::ApplicationsFolder() {
  return WithSlash(Folders().data) + "applications/";
}

}  // namespace tv
