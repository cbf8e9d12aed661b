// SPDX-License-Identifier: GPL-3.0-or-later
// The application: owns the program-wide state and the windows, runs the main loop. Every
// window reaches the services and the other windows through it; its body, which makes the
// windows, is the top of the program (app/application.cpp, app/main_loop.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "program/program_state.h"

namespace tv {

class FrmMain;
struct ScriptHooks;

class Application {
 public:
  Application(Platform& platform, ScriptHooks& hooks);
  ~Application();

  // Starts the gallery with the command-line text and returns when it has closed.
  int Run(const std::string& command_line);

  Platform& Services() { return platform_; }
  ProgramState& State() { return state_; }
  ScriptHooks& Hooks() { return hooks_; }
  FrmMain* Gallery() { return gallery_.get(); }
  Form* FindWindow(const std::string& name);

  // Ends the program as the gallery's 文件 › 退出 does (Ctrl+Q in any of its main windows).
  void Quit();
  // What follows the end of the main loop: every window closes, the browser's pages
  // writing their history, and the windows are destroyed unless left to the process.
  void CloseDown();
  // Where the process ends with Run, the windows' widgets and views go with it: taken
  // apart one by one, a thousand tabs would keep the program for seconds after all the
  // user keeps is written. Their engine processes end when the program's connection does.
  void LeaveWindowsToProcessEnd() { leave_windows_ = true; }

  // The program's message loop for all windows; returns when the exit flag is set.
  void MainLoop();
  // Unload as the system does it: Form_QueryUnload may cancel, then Form_Unload runs and
  // the window hides. A window unloaded inside its own handler lives until it returns.
  void Unload(Form& form);

  // Takes a secondary window into the application's keeping; it lives until unloaded.
  Form& Adopt(std::unique_ptr<Form> window);
  // Destroys the windows unloaded since the last call (between handlers, never inside one).
  void CollectUnloaded();

 private:
  Form* FindPageWindow(const std::string& name);

  Platform& platform_;
  ScriptHooks& hooks_;
  ProgramState state_;
  std::unique_ptr<FrmMain> gallery_;
  std::vector<std::unique_ptr<Form>> windows_;  // secondary windows, newest last
  bool leave_windows_ = false;
};

}  // namespace tv
