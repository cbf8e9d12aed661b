// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/program_files.h"

#include <glib.h>

namespace tv {

namespace {

std::string FolderOf(const std::string& path) {
  gchar* dir = g_path_get_dirname(path.c_str());
  std::string folder = dir;
  g_free(dir);
  return folder;
}

// "/usr/bin/../share" -> "/usr/share", as the icon theme names its folders.
std::string Tidy(const std::string& path) {
  gchar* tidy = g_canonicalize_filename(path.c_str(), nullptr);
  std::string out = tidy;
  g_free(tidy);
  return out;
}

bool IsFile(const std::string& path) {
  return g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR);
}

bool IsFolder(const std::string& path) {
  return g_file_test(path.c_str(), G_FILE_TEST_IS_DIR);
}

bool InBuildTree(const std::string& program) {
  const std::string build = std::string(TV_BUILD_DIR) + "/";
  return program.compare(0, build.size(), build) == 0;
}

}  // namespace

std::string RunningProgram() {
  gchar* exe = g_file_read_link("/proc/self/exe", nullptr);
  std::string path = exe ? exe : "";
  g_free(exe);
  return path;
}

std::vector<std::string> ExtensionFolders(const std::string& program) {
  const std::string folder = FolderOf(program);
  std::vector<std::string> folders = {Tidy(folder + "/webext"),
                                      Tidy(folder + "/" TV_WEBEXT_FROM_BIN)};
  if (program.empty() || InBuildTree(program)) folders.push_back(TV_WEBEXT_BUILD_DIR);
  return folders;
}

std::string ExtensionFolder(const std::string& program) {
  const std::vector<std::string> folders = ExtensionFolders(program);
  for (const std::string& candidate : folders) {
    if (IsFile(candidate + "/" TV_WEBEXT_NAME)) return candidate;
  }
  return folders.back();
}

bool ExtensionFound(const std::string& program) {
  for (const std::string& candidate : ExtensionFolders(program)) {
    if (IsFile(candidate + "/" TV_WEBEXT_NAME)) return true;
  }
  return false;
}

std::string IconFolder(const std::string& program) {
  const std::string folder = FolderOf(program);
  for (const std::string& candidate :
       {Tidy(folder + "/share/icons"), Tidy(folder + "/" TV_DATA_FROM_BIN "/icons")}) {
    if (IsFolder(candidate + "/hicolor")) return candidate;
  }
  if (program.empty() || InBuildTree(program)) {
    const std::string build = TV_BUILD_DIR "/share/icons";
    if (IsFolder(build + "/hicolor")) return build;
  }
  return "";
}

}  // namespace tv
