// SPDX-License-Identifier: GPL-3.0-or-later
// The program's fixed places in the XDG base folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/paths.h"
#include "platform/posix/run_folder.h"
#include "platform/posix/user_folders.h"

namespace tv {

class XdgPaths : public Paths {
 public:
  // Takes the user's folders when a folder is first asked for, not here.
  XdgPaths() = default;
  // The places inside these folders instead.
  explicit XdgPaths(posix::UserFolders folders) : folders_(std::move(folders)) {}

  // $XDG_DATA_HOME/tessaview/, created on the first call; when this call creates it, the
  // first-run marker "search.dat" is written into it, as an installer would.
  std::string ProgramFolder() override;
  // This running program's own folder inside $XDG_RUNTIME_DIR/tessaview/ when the runtime
  // folder is usable, else inside $XDG_CACHE_HOME/tessaview/pages/, else inside
  // tessaview-UID/ in the system's temporary folder; all of them mode 0700.
  // Made on the first call, removed with this object; folders of programs that are no
  // longer running are removed when it is made.
  std::string PageFolder() override;
  // "Tessaview" inside the user's download folder; inside home when no download folder
  // is set or it is home itself.
  std::string DownloadFolder() override;
  // $XDG_DATA_HOME/tessaview/website-data/ and $XDG_CACHE_HOME/tessaview/website-cache/.
  std::string WebsiteDataFolder() override;
  std::string WebsiteCacheFolder() override;
  std::string ExecutablePath() override;
  // The user's pictures folder (user-dirs.dirs) when it exists, else home.
  std::string PicturesFolder() override;
  // XDG_DOWNLOAD_DIR likewise.
  std::string DownloadsFolder() override;
  std::string HomeFolder() override;
  std::string CurrentFolder() override;
  // Whether the configuration folder exists or can be made, and can be written.
  bool SettingsKept() override;

  // True when ProgramFolder() found no folder and made one (a fresh installation).
  bool ProgramFolderWasCreated();
  // $XDG_CONFIG_HOME/tessaview/: settings.ini and the registry file live here.
  std::string ConfigFolder();
  // $XDG_DATA_HOME/applications/: where desktop entries go.
  std::string ApplicationsFolder();
  // $XDG_CONFIG_HOME/mimeapps.list: the user's choices of programs for kinds of file.
  std::string MimeappsList();

 private:
  const posix::UserFolders& Folders();

  std::optional<posix::UserFolders> folders_;
  std::optional<std::string> program_folder_;
  std::optional<std::string> page_folder_;
  posix::RunFolder run_pages_;  // holds the pages; removed with this object
  bool program_folder_created_ = false;
};

}  // namespace tv
