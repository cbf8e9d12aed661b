// SPDX-License-Identifier: GPL-3.0-or-later
// Offers the program in the desktop's "Open with" lists of pictures and folders, the
// desktop's counterpart of the shell's context-menu verbs, without ever becoming the
// handler a double-click starts.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tv {

// The system's data folders ($XDG_DATA_DIRS), as GLib reads them once a process.
std::vector<std::string> SystemDataFolders();

// Where the offer is written and what it remembers.
struct OpenWithPlaces {
  std::string applications;  // $XDG_DATA_HOME/applications/: the run-time desktop entry
  std::string mimeapps;      // $XDG_CONFIG_HOME/mimeapps.list: the added associations
  std::string record;        // what was added, so that removing takes out exactly that
  // Where an installed entry of the program would be, beside "applications/".
  std::vector<std::string> system_data = SystemDataFolders();
};

// The desktop id that opens a kind of file now ("" for none).
using DefaultHandlerFinder = std::function<std::string(const std::string& mime_type)>;

// The desktop's own answer (GIO), as `gio mime` gives it.
std::string GioDefaultHandler(const std::string& mime_type);

class XdgDesktopIntegration : public DesktopIntegration {
 public:
  explicit XdgDesktopIntegration(OpenWithPlaces places,
                                 DefaultHandlerFinder current_default = GioDefaultHandler);

  // Adds the program after each kind's present handler, so that handler stays the
  // default; a kind nothing opens yet is left alone, since the program would become its
  // default. Writes a desktop entry for `executable` only where no installed entry of
  // the program exists. False when the path cannot be put in an Exec line or the list
  // cannot be read or written.
  bool InstallOpenWith(const std::string& executable) override;
  // Takes out what InstallOpenWith added and nothing else.
  bool RemoveOpenWith() override;
  bool IsInstalled() override;

  std::string EntryPath() const;

 private:
  OpenWithPlaces places_;
  DefaultHandlerFinder current_default_;
};

// The kinds of file the program is offered for.
inline constexpr const char* kOpenWithTypes[] = {"image/bmp", "image/jpeg", "image/gif",
                                                 "image/png", "image/tiff", "inode/directory"};

// The Exec key's text for one argument: quoted with "\" before " ` $ and \, "%" doubled,
// then every "\" doubled by the key file's string escape. Empty when the text holds a
// control character or is not UTF-8, which no entry can hold.
std::string DesktopExecQuote(const std::string& argument);

}  // namespace tv
