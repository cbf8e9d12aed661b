// Offers the program for pictures and folders through a desktop entry, the desktop's
// counterpart of the shell's context-menu verbs.
#pragma once

#include <string>

#include "platform/registry.h"

namespace tv {

class XdgDesktopIntegration : public DesktopIntegration {
 public:
  // `applications_dir` is usually $XDG_DATA_HOME/applications; it is created when needed.
  explicit XdgDesktopIntegration(std::string applications_dir);

  // Writes the entry atomically and has the folder's MIME cache rebuilt; false when the
  // path cannot be put in an Exec line.
  bool InstallOpenWith(const std::string& executable) override;
  // True when no entry is left afterwards; the MIME cache forgets a removed entry.
  bool RemoveOpenWith() override;
  bool IsInstalled() override;

  std::string EntryPath() const;

 private:
  std::string folder_;
};

// The Exec key's text for one argument: quoted with "\" before " ` $ and \, "%" doubled,
// then every "\" doubled by the key file's string escape. Empty when the text holds a
// control character or is not UTF-8, which no entry can hold.
std::string DesktopExecQuote(const std::string& argument);

}  // namespace tv
