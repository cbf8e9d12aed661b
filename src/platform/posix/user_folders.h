// SPDX-License-Identifier: GPL-3.0-or-later
// The user's home, base folders and chosen folders (user-dirs.dirs), as GLib finds them.
#pragma once

#include <optional>
#include <string>

namespace tv::posix {

// Every folder is absolute and never ends in "/" unless it is "/".
struct UserFolders {
  std::string home;
  std::string config;    // XDG_CONFIG_HOME
  std::string data;      // XDG_DATA_HOME
  std::string cache;     // XDG_CACHE_HOME
  std::string runtime;   // XDG_RUNTIME_DIR; empty when none is set
  std::string download;  // XDG_DOWNLOAD_DIR; empty when none is set
  std::string pictures;  // XDG_PICTURES_DIR; empty when none is set
};

// Makes this process's environment follow the base-directory rules before anything reads
// it: a HOME that is no absolute path becomes the home of the password database, and
// XDG_* base folders that are no absolute paths are removed, so GLib, the engine and the
// programs started from here never write relative to the current folder.
void KeepBaseFoldersAbsolute();

// This process's folders. GLib reads them once a process; a relative base folder is
// ignored, as the base-directory rules say, for the home folder's default.
UserFolders CurrentUserFolders();

// For tests, whose private homes change within one process: CurrentUserFolders() gives
// `folders` from now on, or GLib's answers again when it is empty. Returns the previous
// override.
std::optional<UserFolders> OverrideUserFolders(std::optional<UserFolders> folders);

// `folder` with exactly one "/" at the end.
std::string WithSlash(std::string folder);

}  // namespace tv::posix
