// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's fixed files live.
#pragma once

#include <string>

namespace tv {

class Paths {
 public:
  virtual ~Paths() = default;
  // The program folder (history, favourites, the help page), ending in "/".
  virtual std::string ProgramFolder() = 0;
  // Where web pictures are saved: a folder of the program's own inside the user's
  // download folder, ending in "/". Not made here.
  virtual std::string DownloadFolder() = 0;
  // The web engine's own data (site storage, security policies) and caches, each in a
  // folder of its own, ending in "/".
  virtual std::string WebsiteDataFolder() = 0;
  virtual std::string WebsiteCacheFolder() = 0;
  // The private folder of the generated pages, ending in "/".
  virtual std::string PageFolder() = 0;
  virtual std::string ExecutablePath() = 0;
  virtual std::string PicturesFolder() = 0;   // the user's pictures folder, else home
  virtual std::string DownloadsFolder() = 0;  // the user's download folder, else home
  virtual std::string HomeFolder() = 0;
  virtual std::string CurrentFolder() = 0;
  // False when the settings cannot be written (a read-only home): changes last one run.
  virtual bool SettingsKept() { return true; }

  // The generated page a fixed name stands for ("C:\Tpc.htm" -> PageFolder()/Tpc.htm).
  std::string PageFile(const std::string& fixed_name);
};

}  // namespace tv
