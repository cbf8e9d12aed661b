// SPDX-License-Identifier: GPL-3.0-or-later
// A headless gallery in a private temporary home, for the benchmarks.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "gallery/frm_main.h"
#include "platform/front_end.h"
#include "platform/posix/posix_services.h"
#include "program/application.h"

namespace tv::bench {

// Points HOME and the XDG folders at a new temporary folder and returns it. The runtime
// folder, where the pages live, is in memory as a session's runtime folder is.
inline std::string MakeBenchHome() {
  char pattern[] = "/tmp/tessaview-bench.XXXXXX";
  const std::string root = mkdtemp(pattern);
  setenv("HOME", root.c_str(), 1);
  std::string runtime = root + "/run";
  if (std::filesystem::is_directory("/dev/shm")) runtime = "/dev/shm" + root.substr(4);
  std::filesystem::create_directories(runtime);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
  return root;
}

// The program a desktop benchmark starts: its first argument, else `built`. "" after
// saying why it cannot run, when there is no display.
inline std::string DesktopProgram(int argc, char** argv, const char* built) {
  if (!std::getenv("DISPLAY")) {
    std::printf("no DISPLAY: run under xvfb-run\n");
    return "";
  }
  return argc > 1 ? argv[1] : built;
}

struct BenchGallery {
  // `fs` replaces the real file system when given (to count what is read).
  explicit BenchGallery(FileSystem* fs = nullptr)
      : files(fs ? *fs : posix.fs),
        front(MakeHeadlessFrontEnd(files, posix.paths)),
        platform(PlatformOf(posix, *front, files)),
        app(platform, front->script),
        gallery(app) {
    gallery.Realize();
  }
  ~BenchGallery() {
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(getenv("XDG_RUNTIME_DIR"));
  }

  std::string root = MakeBenchHome();
  PosixServices posix;
  FileSystem& files;
  std::unique_ptr<FrontEnd> front;
  Platform platform;
  Application app;
  FrmMain gallery;
};

}  // namespace tv::bench
