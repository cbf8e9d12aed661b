// SPDX-License-Identifier: GPL-3.0-or-later
// The services a front-end hands to the logic. Every window reaches them through its
// Form; the application owns the objects behind them.
#pragma once

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/message_loop.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/settings_area.h"
#include "platform/shell.h"
#include "platform/text_encoding.h"
#include "platform/window_system.h"

namespace tv {

struct Platform {
  FileSystem& fs;
  MessageLoop& loop;
  WindowSystem& windows;
  Dialogs& dialogs;
  Shell& shell;
  Clipboard& clipboard;
  SettingsArea& settings;
  Registry& registry;
  DesktopIntegration& desktop;
  Paths& paths;
  Clock& clock;
  Process& process;
  TextEncoding& encoding;
};

}  // namespace tv
