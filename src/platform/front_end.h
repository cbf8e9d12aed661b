// SPDX-License-Identifier: GPL-3.0-or-later
// A front-end: the services that differ between the desktop and headless runs.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/message_loop.h"
#include "platform/shell.h"
#include "platform/window_system.h"

namespace tv {

class FileSystem;
class Paths;

// A scripted run answers dialogs from a queue and reports what message boxes, the shell
// and the clipboard were asked, instead of waiting for a person or starting programs.
struct ScriptHooks {
  bool active = false;
  std::ostream* out = nullptr;
  std::deque<std::optional<std::string>> answers;  // nothing = cancel

  // The next queued answer; "" (cancel) when none is queued.
  std::string NextAnswer() {
    if (answers.empty()) return "";
    auto a = answers.front();
    answers.pop_front();
    return a.value_or("");
  }
  void Report(const std::string& line) {
    if (out) *out << line << "\n" << std::flush;
  }
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  virtual MessageLoop& Loop() = 0;
  virtual WindowSystem& Windows() = 0;
  virtual Dialogs& Dialog() = 0;
  virtual Shell& ShellService() = 0;
  virtual Clipboard& ClipboardService() = 0;
  virtual Clock& ClockService() = 0;
  // Sets the clock of a headless run; the desktop keeps the real time.
  virtual bool SetClock(const DateTime&) { return false; }
  // Sets the screen's work area of a headless run; the desktop keeps the real screen's.
  virtual bool SetWorkArea(const ScreenArea&) { return false; }
  ScriptHooks script;
};

// Virtual clock, scripted dialogs, in-memory clipboard, small page model.
std::unique_ptr<FrontEnd> MakeHeadlessFrontEnd(FileSystem& fs, Paths& paths);
// GTK 3 windows with WebKitGTK views; null when no display can be opened.
std::unique_ptr<FrontEnd> MakeDesktopFrontEnd(FileSystem& fs, Paths& paths);
// Whether the desktop front-end's own files are in place. Without its web process
// extension no view shows a local picture, so before any window it says on standard error
// and in a message box which file is missing and where it looked, and gives false.
bool DesktopFilesInPlace(FrontEnd& desktop);

}  // namespace tv
