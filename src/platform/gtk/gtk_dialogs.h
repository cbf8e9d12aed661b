// SPDX-License-Identifier: GPL-3.0-or-later
// Modal dialogs on GTK; a scripted run answers them from its queue instead.
#pragma once

#include <gtk/gtk.h>

#include "platform/dialogs.h"
#include "platform/front_end.h"

namespace tv {

// A modal message box with the program's own "确定" button.
GtkWidget* NewMessageBox(GtkWindow* parent, GtkMessageType type, const std::string& text);

class GtkDialogs : public Dialogs {
 public:
  explicit GtkDialogs(ScriptHooks& script) : script_(script) {}

  std::string InputBox(Form* owner, const std::string& prompt, const std::string& title,
                       const std::string& preset) override;
  void MsgBox(Form* owner, const std::string& text, MsgIcon icon,
              const std::string& title) override;
  bool Confirm(Form* owner, const std::string& text, const std::string& title) override;
  std::string BrowseFolder(Form* owner, const std::string& title) override;
  std::string OpenFile(Form* owner, const std::string& title, const std::string& initial_folder,
                       int filter_index) override;
  std::string SaveFile(Form* owner, const std::string& title, const std::string& initial_folder,
                       const std::string& default_name, int filter_index) override;
  void About(Form* owner, const std::string& title, const std::string& text) override;

 private:
  ScriptHooks& script_;
};

}  // namespace tv
