// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program: the time from starting `tessaview --script S FOLDER` to
// the line the script prints once the first page has loaded in the real view, for a
// folder of 1,000 small pictures and for no folder at all (the window and view alone);
// then, beside Eye of GNOME given the same folder (it shows the folder's first picture) and
// the bare engine showing that picture (engine_floor), alternating, the time from starting each on
// the folder to the first picture's pixels on screen, with a cold cache (a new cache folder, the
// pictures' pages dropped from memory) and warm (a second start on the same cache). Run under a
// display: `xvfb-run -a -s "-screen 0 1280x1024x24" startup_bench [PROGRAM]`.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_gallery.h"
#include "platform/jpeg.h"
#include "screen_watch.h"

extern char** environ;

namespace {

constexpr int kPictures = 1000;
constexpr int kRuns = 5;
constexpr double kGoalMs = 1500;
constexpr int kScreenRounds = 5;
// Most of one 64 x 48 picture drawn at its own size.
constexpr long kPictureShown = 2000;

struct Run {
  double ms = -1;     // spawn to the printed line; -1 when it never came
  std::string count;  // the number of pictures on the page shown
};

// Pictures of the signal colour, so the screen tells when one is drawn.
void MakePictures(const std::string& folder) {
  std::filesystem::create_directories(folder);
  for (int i = 0; i < kPictures; ++i) {
    const std::string path = folder + "/IMG_" + std::to_string(10000 + i) + ".jpg";
    tv::SaveJpegFile(path, 64, 48, 90, [i](int first, int rows, uint8_t* rgb) {
      for (int y = first; y < first + rows; ++y) {
        for (int x = 0; x < 64; ++x, rgb += 3) {
          rgb[0] = bench::kSignalRed, rgb[1] = static_cast<uint8_t>(bench::kSignalGreen + x / 8);
          rgb[2] = static_cast<uint8_t>(bench::kSignalBlue + (i + y) % 16);
        }
      }
      return true;
    });
  }
}

// Drops the pictures' pages from memory, so the next start reads them from the disk.
void DropFromMemory(const std::string& folder) {
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    const int fd = open(e.path().c_str(), O_RDONLY);
    if (fd < 0) continue;
    posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    close(fd);
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// From the start of `args` to the first picture's pixels on screen; -1 when none came.
double FirstPictureMs(bench::ScreenWatch& screen, const std::vector<std::string>& args,
                      const std::string& cache, bool cold, const std::string& folder) {
  if (cold) {
    std::filesystem::remove_all(cache);
    DropFromMemory(folder);
  }
  setenv("XDG_CACHE_HOME", cache.c_str(), 1);
  const auto start = bench::Clock::now();
  const pid_t pid = bench::StartProgram(args);
  if (!pid) return -1;
  const double ms = screen.Until(screen.Screen(), start, 30000, [](const bench::Frame& f) {
    return bench::SignalPixels(f) >= kPictureShown;
  });
  bench::StopProgram(pid);
  return ms;
}

// Tessaview, Eye of GNOME and the bare engine (a window and view showing the folder's first
// picture) on the folder, alternating, cold and warm.
bool CompareFirstPicture(const std::string& program, const std::string& root,
                         const std::string& folder) {
  bench::ScreenWatch screen;
  if (!screen.Ok()) {
    std::printf("cannot open the display again for the screen's pixels\n");
    return false;
  }
  if (!screen.TrueColour()) {
    std::printf("the screen needs 24 bits: xvfb-run -a -s \"-screen 0 1280x1024x24\"\n");
    return false;
  }
  bench::QuietToolkitSettings(root + "/config");
  const std::string first_page = root + "/first-picture.html";
  std::ofstream(first_page) << "<!DOCTYPE html><body style=\"margin:0\"><img src=\"file://"
                            << folder << "/IMG_10000.jpg\"></body>";
  const bool eog = bench::Installed("eog");
  if (!eog) std::printf("Eye of GNOME is not installed: Tessaview's figures alone\n");
  struct Side {
    const char* name;
    std::vector<std::string> args;
    std::string cache;
    std::vector<double> ms[2];  // cold, warm
  };
  std::vector<Side> sides{{"Tessaview FOLDER", {program, folder}, root + "/cache-tessaview", {}},
                          {"bare engine, one picture",
                           {TV_ENGINE_FLOOR, "file://" + first_page},
                           root + "/cache-engine",
                           {}}};
  if (eog) sides.push_back({"eog FOLDER", {"eog", folder}, root + "/cache-eog", {}});
  for (int r = 0; r < kScreenRounds; ++r) {
    for (int warm = 0; warm < 2; ++warm) {
      for (Side& side : sides)
        side.ms[warm].push_back(FirstPictureMs(screen, side.args, side.cache, !warm, folder));
    }
  }
  std::printf("\nstart on the folder to its first picture's pixels on screen (%d rounds):\n",
              kScreenRounds);
  for (int warm = 0; warm < 2; ++warm) {
    for (const Side& side : sides)
      std::printf("  %-26s %s: %s\n", side.name, warm ? "warm" : "cold",
                  bench::MedianAndLowest(side.ms[warm]).c_str());
  }
  if (!eog) return true;
  bool met = true, floor_above = true;
  for (int warm = 0; warm < 2; ++warm) {
    const double ours = Median(sides[0].ms[warm]), floor = Median(sides[1].ms[warm]),
                 peer = Median(sides[2].ms[warm]);
    met = met && ours <= peer;
    floor_above = floor_above && floor > peer;
  }
  std::printf("goal: no later than Eye of GNOME (medians): %s\n", met ? "met" : "MISSED");
  if (floor_above) std::printf("the bare engine alone shows its picture later than Eye of GNOME\n");
  return true;
}

// Starts the program with `args`, its output on a pipe and its errors dropped, and times
// it until it prints the picture count of the page; then waits for it to end.
Run TimeStart(const std::string& program, const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  Run run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (rc != 0) {
    close(out[0]);
    return run;
  }
  std::string text;
  char buf[4096];
  const std::string key = "Web.Images=";
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) {
    text.append(buf, static_cast<size_t>(n));
    size_t at = text.find(key);
    size_t end = at == std::string::npos ? at : text.find('\n', at);
    if (run.ms < 0 && end != std::string::npos) {
      run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
      run.count = text.substr(at + key.size(), end - at - key.size());
    }
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return run;
}

// kRuns timed starts after one that is not counted (it makes the program folder).
bool Measure(const char* what, const std::string& program, const std::vector<std::string>& args,
             double& median) {
  TimeStart(program, args);
  std::vector<double> ms;
  std::string count;
  for (int i = 0; i < kRuns; ++i) {
    Run run = TimeStart(program, args);
    if (run.ms < 0) {
      std::printf("%s: the program never printed its page (is there a display?)\n", what);
      return false;
    }
    ms.push_back(run.ms);
    count = run.count;
  }
  median = Median(ms);
  std::printf("%-28s median %7.1f ms  (fastest %.1f, slowest %.1f; pictures on page 1: %s)\n", what,
              median, *std::min_element(ms.begin(), ms.end()),
              *std::max_element(ms.begin(), ms.end()), count.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = tv::bench::DesktopProgram(argc, argv, TV_PROGRAM);
  if (program.empty()) return 1;
  const std::string root = tv::bench::MakeBenchHome();
  const std::string folder = root + "/pictures";
  MakePictures(folder);
  const std::string script = root + "/startup.scn";
  std::ofstream(script) << "settle\nprint Web.Images\nclose\n";

  double empty = 0, full = 0;
  bool ok = Measure("window and view alone:", program, {"--script", script}, empty) &&
            Measure("1,000 pictures, page 1:", program, {"--script", script, folder}, full);
  if (ok) {
    std::printf("folder listing and first page: %.1f ms on top of the window's own start\n",
                full - empty);
    std::printf("goal: 1,000 pictures shown within %.0f ms: %s\n", kGoalMs,
                full < kGoalMs ? "met" : "MISSED");
    ok = CompareFirstPicture(program, root, folder);
  }
  std::filesystem::remove_all(root);
  std::filesystem::remove_all(std::getenv("XDG_RUNTIME_DIR"));
  return ok ? 0 : 1;
}
