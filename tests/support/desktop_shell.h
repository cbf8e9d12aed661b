// SPDX-License-Identifier: GPL-3.0-or-later
// A desktop whose programs and services are there or not as a test says: what it was asked
// to open is noted, and every request succeeds only where `can_open`.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace tv::test {

class DesktopShell : public Shell {
 public:
  bool Open(const std::string& target) override { return Note(target); }
  bool ShowInFolder(const std::string& path) override { return Note("show " + path); }
  bool Edit(const std::string& path) override { return Note("edit " + path); }
  bool EditText(const std::string& path) override { return Note("edit text " + path); }
  bool ShowProperties(const std::string&) override { return false; }
  bool DownloadFile(const std::string&, const std::string&, bool) override { return false; }
  bool StartService(DesktopService) override { return can_open; }

  bool can_open = false;
  std::vector<std::string> opened;

 private:
  bool Note(const std::string& what) {
    opened.push_back(what);
    return can_open;
  }
};

}  // namespace tv::test
