// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX services of one run, wired to their fixed places: the settings file and the
// registry file in the configuration folder, the "Open with" offer in the desktop's lists.
#pragma once

#include "platform/front_end.h"
#include "platform/platform.h"
#include "platform/posix/file_registry.h"
#include "platform/posix/iconv_text_encoding.h"
#include "platform/posix/ini_settings_area.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_process.h"
#include "platform/posix/xdg_desktop_integration.h"
#include "platform/posix/xdg_paths.h"

namespace tv {

struct PosixServices {
  PosixFileSystem fs;
  XdgPaths paths;
  IniSettingsArea settings{paths.ConfigFolder() + "settings.ini"};
  FileRegistry registry{paths.ConfigFolder() + "registry.ini"};
  XdgDesktopIntegration desktop{
      {paths.ApplicationsFolder(), paths.MimeappsList(), paths.ConfigFolder() + "open-with.ini"}};
  PosixProcess process;
  IconvTextEncoding encoding;
};

// The services of one run: these POSIX ones with a front-end's, over `fs` (the real file
// system unless a caller wraps it) and with the front-end's shell unless `shell` is given.
inline Platform PlatformOf(PosixServices& posix, FrontEnd& front, FileSystem& fs,
                           Shell* shell = nullptr) {
  return Platform{fs,
                  front.Loop(),
                  front.Windows(),
                  front.Dialog(),
                  shell ? *shell : front.ShellService(),
                  front.ClipboardService(),
                  posix.settings,
                  posix.registry,
                  posix.desktop,
                  posix.paths,
                  front.ClockService(),
                  posix.process,
                  posix.encoding};
}

}  // namespace tv
