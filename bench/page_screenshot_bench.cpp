// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery's whole-page screenshot in the real view, for pages of one tall picture
// column (30 pictures in the original-size layout) from below the engine's one-piece
// limit of 32,767 pixels to near the JPEG limit: the time from the click to the beep, and
// the program's peak memory, and the time a pixel row for each height against the tallest
// page taken in one piece. Taller pages are taken in pieces of at most 16,384 rows, so the
// memory should not grow with the page. Run under a display: `xvfb-run -a
// page_screenshot_bench [PROGRAM]`.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_gallery.h"
#include "platform/jpeg.h"

extern char** environ;

namespace {

constexpr int kPictures = 30;  // one page

struct Shot {
  double ms = -1;     // the click's "save:" line to its "beep"; -1 when it never came
  long peak_kb = -1;  // the program's largest resident size
  bool message = false;
};

void MakePictures(const std::string& folder, int height) {
  std::filesystem::create_directories(folder);
  for (int i = 0; i < kPictures; ++i) {
    tv::SaveJpegFile(folder + "/t" + std::to_string(100 + i) + ".jpg", 60, height, 80,
                     [i](int, int rows, uint8_t* rgb) {
                       for (int k = 0; k < rows * 60; ++k, rgb += 3) {
                         rgb[0] = static_cast<uint8_t>(i * 8), rgb[1] = 90, rgb[2] = 40;
                       }
                       return true;
                     });
  }
}

// Width and height from the frame header (unsigned, as tall pages need); 0 when none.
void JpegSize(const std::string& path, int& width, int& height) {
  width = height = 0;
  std::ifstream in(path, std::ios::binary);
  std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto byte = [&d](size_t i) { return static_cast<unsigned char>(d[i]); };
  for (size_t p = 2; p + 9 < d.size();) {
    if (byte(p) != 0xFF) return;
    const unsigned marker = byte(p + 1);
    if (marker >= 0xC0 && marker <= 0xC3) {
      height = byte(p + 5) << 8 | byte(p + 6);
      width = byte(p + 7) << 8 | byte(p + 8);
      return;
    }
    p += 2 + (byte(p + 2) << 8 | byte(p + 3));
  }
}

Shot TakeShot(const std::string& program, const std::string& script, const std::string& folder) {
  int out[2];
  if (pipe(out) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>("--script"),
                          const_cast<char*>(script.c_str()), const_cast<char*>(folder.c_str()),
                          nullptr};
  Shot shot;
  pid_t pid = 0;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (rc != 0) {
    close(out[0]);
    return shot;
  }
  std::string text;
  char buf[4096];
  std::chrono::steady_clock::time_point clicked;
  bool saw_click = false;
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) {
    text.append(buf, static_cast<size_t>(n));
    if (!saw_click && text.find("save: ") != std::string::npos) {
      saw_click = true;
      clicked = std::chrono::steady_clock::now();
    }
    if (saw_click && shot.ms < 0 && text.find("beep\n") != std::string::npos) {
      shot.ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clicked)
              .count();
    }
  }
  close(out[0]);
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) == pid) shot.peak_kb = usage.ru_maxrss;
  shot.message = text.find("message: ") != std::string::npos;
  return shot;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = tv::bench::DesktopProgram(argc, argv, TV_PROGRAM);
  if (program.empty()) return 1;
  const std::string root = tv::bench::MakeBenchHome();
  bool ok = true;
  std::printf("%-14s %-16s %10s %12s %14s\n", "picture height", "saved JPEG", "time", "peak memory",
              "time a row");
  double one_piece_us = 0;  // a row's time for the tallest page taken in one piece
  for (int height : {650, 1000, 1300, 2000}) {
    const std::string folder = root + "/p" + std::to_string(height);
    const std::string jpeg = root + "/shot" + std::to_string(height) + ".jpg";
    const std::string script = root + "/shot" + std::to_string(height) + ".scn";
    MakePictures(folder, height);
    std::ofstream(script) << "settle\nanswer " << jpeg << "\nclick Command9\nclose\n";
    Shot shot = TakeShot(program, script, folder);
    int width = 0, height_saved = 0;
    JpegSize(jpeg, width, height_saved);
    if (shot.ms < 0 || shot.message || height_saved <= 0) {
      std::printf("%-14d the screenshot was not saved (is there a display?)\n", height);
      ok = false;
      continue;
    }
    const double row_us = shot.ms * 1000 / height_saved;
    if (height_saved <= 32767) one_piece_us = row_us;
    std::printf("%-14d %6d x %-7d %8.0f ms %9ld MB %8.1f us", height, width, height_saved, shot.ms,
                shot.peak_kb / 1024, row_us);
    if (height_saved > 32767 && one_piece_us > 0) {
      std::printf(" (%.2f x one piece's, goal at most 1.5: %s)", row_us / one_piece_us,
                  row_us <= 1.5 * one_piece_us ? "met" : "NOT met");
    }
    std::printf("\n");
  }
  std::filesystem::remove_all(root);
  std::filesystem::remove_all(std::getenv("XDG_RUNTIME_DIR"));
  return ok ? 0 : 1;
}
