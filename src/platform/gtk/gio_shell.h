// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the desktop's handlers through GIO, never through a command interpreter. A
// scripted run reports what it was asked instead.
#pragma once

#include "platform/front_end.h"
#include "platform/shell.h"

namespace tv {

class GioShell : public Shell {
 public:
  explicit GioShell(ScriptHooks& script) : script_(script) {}

  bool Open(const std::string& target) override;
  bool ShowInFolder(const std::string& path) override;
  bool Edit(const std::string& path) override;
  bool EditText(const std::string& path) override;
  bool ShowProperties(const std::string& path) override;
  bool DownloadFile(const std::string& address, const std::string& destination,
                    bool replace) override;            // gtk_downloads.cpp
  bool StartService(DesktopService service) override;  // gio_services.cpp

 private:
  ScriptHooks& script_;
};

// The address GIO opens for a target: paths become file addresses, addresses stay.
std::string UriForTarget(const std::string& target);

}  // namespace tv
