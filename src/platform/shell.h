// SPDX-License-Identifier: GPL-3.0-or-later
// Starting other programs: the desktop's default handlers, the file manager, the editor.
// Nothing goes through a command interpreter.
#pragma once

#include <string>

namespace tv {

// Services of the desktop the browser's tools menu starts; not every desktop has each.
enum class DesktopService {
  NewInstance,      // another copy of this program
  ComputerFolder,   // the file manager at the computer view
  NetworkSettings,  // dialling and the internet options
  TextEditor,
  ImageEditor,
  MonitorOff,
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a file, folder or address with its default handler.
  virtual bool Open(const std::string& target) = 0;
  // Opens the file manager on the item's folder with the item selected.
  virtual bool ShowInFolder(const std::string& path) = 0;
  // Opens the picture in the user's image editor.
  virtual bool Edit(const std::string& path) = 0;
  // Opens a text file in the text editor.
  virtual bool EditText(const std::string& path) = 0;
  // Shows the properties of a file; returns false when it cannot.
  virtual bool ShowProperties(const std::string& path) = 0;
  // Downloads a web address into the file `destination`, or, when that is "", asks where
  // to save it; shows the progress and says when it fails. A file already at
  // `destination` is kept (the download fails) unless `replace`, which a save dialog's
  // choice is. Returns false when the download could not start.
  virtual bool DownloadFile(const std::string& address, const std::string& destination,
                            bool replace = false) = 0;
  // Starts a desktop service; false when this desktop has none.
  virtual bool StartService(DesktopService) { return false; }
};

}  // namespace tv
