// SPDX-License-Identifier: GPL-3.0-or-later
// A camera folder in the real program: 200 pictures of 6000 x 4000 (about 4 MB of JPEG
// each, made at run time in a temporary folder). Each figure comes from a fresh copy of
// the program (the bench starts itself with --child), which shows the folder in its real
// window and reports when the visible part of the page is painted (every picture in view
// has arrived and shows its own pixels, not the background) and the peak of the summed
// memory (PSS) of the program and all its engine processes.
// Beside gThumb, both started on the folder as a person starts them with a cold cache,
// the screen's own pixels time the first screen painted at each one's default layout (the
// last change before the screen holds still for three seconds), and Tessaview's 30
// thumbnails painted at four a row against gThumb's first screen, whose thumbnails it counts.
// Run under a display: `xvfb-run -a -s "-screen 0 1280x1024x24" camera_folder_bench`;
// `camera_folder_bench layout [RUNS]` makes one page of 30 and only times the layout changes,
// RUNS times (3 unless given); `camera_folder_bench screen [PICTURES [ROUNDS]]` only the
// side-by-side figures of the screen (60 pictures and 3 rounds unless given).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_gallery.h"
#include "gallery/frm_main.h"
#include "gallery/page_lines.h"
#include "platform/front_end.h"
#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"
#include "platform/jpeg.h"
#include "platform/posix/posix_services.h"
#include "program/application.h"
#include "screen_watch.h"

extern char** environ;

namespace {

constexpr int kPictures = 200;
constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kLayoutGoalMs = 250;  // the slowest layout change of a warm page of 30
using Clock = std::chrono::steady_clock;

// Smooth colours with fine grain, so the files are about the size a camera writes and no
// pixel is as light as the page's white background.
void MakePicture(const std::string& path, int seed) {
  uint32_t state = 2463534242u + static_cast<uint32_t>(seed) * 7919u;
  tv::SaveJpegFile(path, kWidth, kHeight, 88, [&](int first, int rows, uint8_t* rgb) {
    for (int y = first; y < first + rows; ++y) {
      for (int x = 0; x < kWidth; ++x, rgb += 3) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        const int grain = static_cast<int>(state & 15) - 8;
        rgb[0] = static_cast<uint8_t>(std::clamp(40 + (x * 150 / kWidth) + grain, 0, 230));
        rgb[1] = static_cast<uint8_t>(
            std::clamp(30 + ((y + seed * 97) % kHeight) * 150 / kHeight + grain, 0, 230));
        rgb[2] = static_cast<uint8_t>(std::clamp(60 + (seed * 37) % 150 + grain, 0, 230));
      }
    }
    return true;
  });
}

void MakeFolder(const std::string& folder, int pictures) {
  std::filesystem::create_directories(folder);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> makers;
  for (unsigned c = 0; c < cores; ++c) {
    makers.emplace_back([&, c] {
      for (int i = static_cast<int>(c); i < pictures; i += static_cast<int>(cores)) {
        char name[32];
        std::snprintf(name, sizeof name, "/IMG_%04d.jpg", i + 1);
        MakePicture(folder + name, i);
      }
    });
  }
  for (auto& t : makers) t.join();
}

// ---- the child: one run of the real program -------------------------------------------

// PSS of a process in kB (shared pages counted once across the processes).
long PssKb(const std::string& pid) {
  std::ifstream in("/proc/" + pid + "/smaps_rollup");
  std::string key;
  long value = 0;
  while (in >> key) {
    if (key == "Pss:") {
      in >> value;
      return value;
    }
    in.ignore(1 << 20, '\n');
  }
  return 0;
}

// The summed PSS of this process and everything it started, in MB.
double TreeMb() {
  std::map<std::string, std::string> parent;
  for (const auto& e : std::filesystem::directory_iterator("/proc")) {
    const std::string pid = e.path().filename();
    if (pid.empty() || !std::isdigit(static_cast<unsigned char>(pid[0]))) continue;
    std::ifstream stat(e.path() / "stat");
    std::string line;
    std::getline(stat, line);
    const size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    std::string state, ppid;
    rest >> state >> ppid;
    parent[pid] = ppid;
  }
  const std::string self = std::to_string(getpid());
  long kb = 0;
  for (const auto& [pid, ppid] : parent) {
    std::string p = pid;
    for (int depth = 0; depth < 8 && !p.empty() && p != "0" && p != self; ++depth) p = parent[p];
    if (p == self) kb += PssKb(pid);
  }
  return kb / 1024.0;
}

struct Child {
  std::unique_ptr<tv::FrontEnd> front;
  tv::Application* app = nullptr;
  Clock::time_point start = Clock::now();
  double peak_mb = 0;

  tv::FrmMain& Gallery() { return *app->Gallery(); }
  tv::WebKitHtmlView& View() {
    return dynamic_cast<tv::WebKitHtmlView&>(*Gallery().page_view->View());
  }
  std::string Eval(const std::string& code) {
    return tv::RunScript(WEBKIT_WEB_VIEW(View().Widget()), code).value_or("");
  }
  double Ms(Clock::time_point from) const {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
  }
  void Sample() { peak_mb = std::max(peak_mb, TreeMb()); }

  // Whether every picture in view has arrived and shows on screen: the centre of its
  // visible part is not the white background.
  bool VisiblePainted(int expected_width) {
    // In page order up to the first picture below the view: each has arrived, and the
    // centre of the visible part of each in view is sampled.
    const std::string rects = Eval(
        "(function(){var h=innerHeight,w=innerWidth,o=[];for(const i of document.images){"
        "var r=i.getBoundingClientRect();if(r.top>=h)break;"
        "if(!i.complete||!i.naturalWidth)return 'wait';"
        "if(r.bottom<=0||r.right<=0||r.left>=w)continue;"
        "o.push(Math.round((Math.max(r.left,0)+Math.min(r.right,w))/2)+','+"
        "Math.round((Math.max(r.top,0)+Math.min(r.bottom,h))/2)+','+i.width);}"
        "return o.join(';')})()");
    if (rects.empty() || rects == "wait") return false;
    cairo_surface_t* image = View().VisibleImage();
    if (!image) return false;
    cairo_surface_flush(image);
    const int sw = cairo_image_surface_get_width(image), sh = cairo_image_surface_get_height(image);
    bool painted = true;
    std::istringstream in(rects);
    std::string one;
    while (painted && std::getline(in, one, ';')) {
      int x = 0, y = 0, w = 0;
      std::sscanf(one.c_str(), "%d,%d,%d", &x, &y, &w);
      if (expected_width > 0 && w != expected_width) painted = false;  // the old page
      if (x < 0 || y < 0 || x >= sw || y >= sh) continue;
      const auto* row =
          cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
      const uint32_t px = reinterpret_cast<const uint32_t*>(row)[x];
      if ((px & 0xFFFFFF) == 0xFFFFFF) painted = false;
    }
    cairo_surface_destroy(image);
    return painted;
  }
  bool AllArrived() {
    return Eval("Array.from(document.images).every(i=>i.complete)+''") == "true";
  }
  // Runs the loop until `done` (polled every 20 ms, memory sampled); false after 120 s.
  bool Until(const std::function<bool()>& done) {
    for (int waited = 0; waited < 120000; waited += 20) {
      Sample();
      if (done()) return true;
      front->Loop().Sleep(20);
    }
    return false;
  }
};

int RunChild(const std::string& what, const std::string& folder) {
  tv::PosixServices posix;
  Child c;
  c.front = tv::MakeDesktopFrontEnd(posix.fs, posix.paths);
  if (!c.front) return 1;
  tv::Platform platform = tv::PlatformOf(posix, *c.front, posix.fs);
  tv::Application app(platform, c.front->script);
  c.app = &app;
  bool started = false;
  c.front->Loop().idle_work = [&] {
    if (started) return false;
    started = true;
    if (!c.Until([&] { return c.VisiblePainted(0); })) {
      std::printf("error=never painted\n");
    } else {
      std::printf("painted_ms=%.0f\n", c.Ms(c.start));
    }
    if (what == "page") {
      c.Until([&] { return !c.View().Busy() && c.AllArrived(); });
      std::printf("all_ms=%.0f\n", c.Ms(c.start));
      c.front->Loop().Sleep(500);
      c.Sample();
    }
    if (what == "four") {
      // Four a row at once, then the page's 30 painted there.
      for (int turn = 0; turn < 3; ++turn) c.Gallery().NextLayout();
      const int width = tv::ThumbnailWidth(3, tv::ViewWidthPixels(c.Gallery().page_view->Width()));
      c.Until([&] { return !c.View().Busy() && c.AllArrived() && c.VisiblePainted(width); });
      std::printf("four_ms=%.0f\n", c.Ms(c.start));
    }
    if (what == "paging") {
      // Forward to the last page and back again: ten page changes.
      for (int turn = 0; turn < 10; ++turn) {
        const bool forward = turn < 6;
        c.Gallery().TurnPage(forward ? 1 : 0);
        c.Until([&] { return !c.View().Busy() && c.AllArrived(); });
        c.front->Loop().Sleep(300);
        const double now = TreeMb();
        c.Sample();
        std::printf("turn_%02d_page_%d_mb=%.0f\n", turn + 1, c.Gallery().current_page, now);
      }
    }
    if (what == "layout") {
      // Once round every layout to fill the cache, then timed.
      for (int turn = 0; turn < 5; ++turn) {
        c.Gallery().NextLayout();
        c.Until([&] { return !c.View().Busy() && c.AllArrived(); });
      }
      double slowest = 0;
      // Every layout once; the old page is marked, so a layout that looks like the one
      // before it (one a line fitted, then stretched) is only counted once its own page shows.
      for (int turn = 0; turn < 5; ++turn) {
        c.Eval("window.tvOldPage=1");
        const auto from = Clock::now();
        c.Gallery().NextLayout();
        const int mode = c.Gallery().layout;
        const int v = tv::ViewWidthPixels(c.Gallery().page_view->Width());
        const int width = mode == 0 ? 0 : tv::ThumbnailWidth(mode, v);
        c.Until([&] {
          return c.Eval("window.tvOldPage===undefined") == "true" && c.VisiblePainted(width);
        });
        const double ms = c.Ms(from);
        slowest = std::max(slowest, ms);
        std::printf("layout_%d_ms=%.0f\n", mode, ms);
      }
      std::printf("layout_slowest_ms=%.0f\n", slowest);
    }
    std::printf("peak_mb=%.0f\n", c.peak_mb);
    std::fflush(stdout);
    c.Gallery().RequestClose();
    return true;
  };
  app.Run(folder);
  return 0;
}

// ---- the parent -------------------------------------------------------------------------

// Runs a program with its error output dropped and gives back what it printed.
std::string SpawnText(const std::vector<std::string>& args) {
  int out[2];
  // Decoders start from several threads at once: no child may hold another's pipe open.
  if (pipe2(out, O_CLOEXEC) != 0) return "";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buf[4096];
  for (ssize_t n; rc == 0 && (n = read(out[0], buf, sizeof buf)) > 0;) text.append(buf, size_t(n));
  close(out[0]);
  if (rc == 0) waitpid(pid, nullptr, 0);
  return text;
}

// The KEY=VALUE figures a child printed.
std::map<std::string, double> Spawn(const std::vector<std::string>& args) {
  std::map<std::string, double> figures;
  std::istringstream in(SpawnText(args));
  for (std::string line; std::getline(in, line);) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) figures[line.substr(0, eq)] = std::atof(line.c_str() + eq + 1);
  }
  return figures;
}

// gThumb on the same folder with a cache of its own (cold), until `count` thumbnails are
// made: its time and peak memory, or nothing when it is not installed.
struct PeerRun {
  double ms = 0;
  double peak_mb = 0;
};
std::optional<PeerRun> GthumbOn(const std::string& folder, int count) {
  const std::string text = SpawnText(
      {"/bin/bash", TV_SOURCE_DIR "/bench/gthumb_compare.sh", folder, std::to_string(count)});
  PeerRun run;
  if (std::sscanf(text.c_str(),
                  "gthumb, cold cache: %*d thumbnails made in %lf ms; peak memory %lf", &run.ms,
                  &run.peak_mb) != 2)
    return std::nullopt;
  return run;
}

// From the start of `args` with a cold cache to the last change before the screen holds
// still for three seconds, once its window is there: its first screen painted.
double FirstScreenMs(bench::ScreenWatch& screen, const std::vector<std::string>& args,
                     const std::string& cache) {
  std::filesystem::remove_all(cache);
  setenv("XDG_CACHE_HOME", cache.c_str(), 1);
  const auto start = Clock::now();
  const pid_t pid = bench::StartProgram(args);
  for (int i = 0; pid && i < 6000 && !screen.WindowOf(pid); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const double ms = pid ? screen.Settled(screen.Screen(), start, 3000, 300000) : -1;
  bench::StopProgram(pid);
  return ms;
}

size_t Thumbnails(const std::string& cache) {
  size_t n = 0;
  std::error_code e;
  for (auto it = std::filesystem::recursive_directory_iterator(cache + "/thumbnails", e);
       it != std::filesystem::recursive_directory_iterator(); it.increment(e)) {
    n += it->path().extension() == ".png";
  }
  return n;
}

// The first screen of both programs and the 30 at four a row, alternating, cold each time.
void CompareScreens(const std::string& self, const std::string& root, const std::string& folder,
                    int rounds) {
  bench::ScreenWatch screen;
  if (!screen.TrueColour()) {
    std::printf("the screen needs 24 bits: xvfb-run -a -s \"-screen 0 1280x1024x24\"\n");
    return;
  }
  bench::QuietToolkitSettings(root + "/config");
  const bool gthumb = bench::Installed("gthumb");
  if (!gthumb) std::printf("gThumb is not installed: Tessaview's figures alone\n");
  const std::string program = TV_PROGRAM;
  std::vector<double> ours, four, peer;
  std::vector<size_t> peer_thumbnails;
  for (int r = 0; r < rounds; ++r) {
    ours.push_back(FirstScreenMs(screen, {program, folder}, root + "/cache"));
    std::filesystem::remove_all(root + "/cache");
    setenv("XDG_CACHE_HOME", (root + "/cache").c_str(), 1);
    four.push_back(Spawn({self, "--child", "four", folder})["four_ms"]);
    if (!gthumb) continue;
    peer.push_back(FirstScreenMs(screen, {"gthumb", folder}, root + "/cache-gthumb"));
    peer_thumbnails.push_back(Thumbnails(root + "/cache-gthumb"));
  }
  std::printf("\ncold cache, the screen's pixels (%d rounds, alternating):\n", rounds);
  std::printf("  Tessaview first screen painted (one a line):   %s\n",
              bench::MedianAndLowest(ours).c_str());
  if (gthumb) {
    std::sort(peer_thumbnails.begin(), peer_thumbnails.end());
    std::printf(
        "  gThumb first screen painted (its grid):        %s; %zu to %zu thumbnails made by "
        "then\n",
        bench::MedianAndLowest(peer).c_str(), peer_thumbnails.front(), peer_thumbnails.back());
  }
  std::printf("  Tessaview 30 thumbnails painted, four a row:    %s\n",
              bench::MedianAndLowest(four).c_str());
  if (gthumb) {
    std::sort(four.begin(), four.end());
    std::sort(peer.begin(), peer.end());
    std::printf("  30 at four a row against gThumb's first screen: %.2f times its time (medians)\n",
                four[four.size() / 2] / peer[peer.size() / 2]);
  }
}

void SetPerPage(const std::string& root, int n) {
  std::filesystem::create_directories(root + "/config/tessaview");
  std::ofstream(root + "/config/tessaview/settings.ini")
      << "[Tessaro2017/Main]\nPageFileCount=" << n << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--child") return RunChild(argv[2], argv[3]);
  if (!std::getenv("DISPLAY")) {
    std::printf("no DISPLAY: run under xvfb-run\n");
    return 1;
  }
  const bool layout_only = argc >= 2 && std::string(argv[1]) == "layout";
  const bool screen_only = argc >= 2 && std::string(argv[1]) == "screen";
  const int layout_runs = layout_only && argc >= 3 ? std::max(1, std::atoi(argv[2])) : 3;
  const int pictures = layout_only   ? 30
                       : screen_only ? (argc >= 3 ? std::max(30, std::atoi(argv[2])) : 60)
                                     : kPictures;
  const std::string self = std::filesystem::canonical("/proc/self/exe");
  const std::string root = tv::bench::MakeBenchHome();
  const std::string cache = root + "/cache";
  setenv("XDG_CACHE_HOME", cache.c_str(), 1);
  const std::string folder = root + "/camera";
  std::printf("making %d pictures of %d x %d ...\n", pictures, kWidth, kHeight);
  std::fflush(stdout);
  const auto made = Clock::now();
  MakeFolder(folder, pictures);
  uintmax_t bytes = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) bytes += e.file_size();
  std::printf("made in %.0f s, %.1f MB a picture on average\n\n",
              std::chrono::duration<double>(Clock::now() - made).count(),
              bytes / 1048576.0 / pictures);

  auto run = [&](const char* what, int per_page, bool cold, const std::string& where = "") {
    if (cold) {
      // The shared sizes and what the program keeps in its own folder.
      std::filesystem::remove_all(cache + "/thumbnails");
      std::filesystem::remove_all(cache + "/tessaview");
    }
    SetPerPage(root, per_page);
    return Spawn({self, "--child", what, where.empty() ? folder : where});
  };
  auto show = [](const char* label, std::map<std::string, double> f) {
    std::printf("%-36s painted %6.0f ms   all arrived %6.0f ms   peak %5.0f MB\n", label,
                f["painted_ms"], f["all_ms"], f["peak_mb"]);
    return f;
  };
  auto run_layout = [&] {
    auto layout = run("layout", 30, false);
    std::printf("\nlayout changes, warm (30 a page): ");
    for (const auto& [key, value] : layout) {
      if (key.rfind("layout_", 0) == 0 && key != "layout_slowest_ms")
        std::printf("%s %.0f ms; ", key.c_str() + 7, value);
    }
    std::printf("slowest %.0f ms\n", layout["layout_slowest_ms"]);
    std::fflush(stdout);
    return layout;
  };
  if (screen_only) {
    SetPerPage(root, 30);
    CompareScreens(self, root, folder, argc >= 4 ? std::max(1, std::atoi(argv[3])) : 3);
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(std::getenv("XDG_RUNTIME_DIR"));
    return 0;
  }
  if (layout_only) {
    double slowest = 0;
    for (int r = 0; r < layout_runs; ++r)
      slowest = std::max(slowest, run_layout()["layout_slowest_ms"]);
    std::printf("\ngoal: layout <= %d ms: %s (slowest of %d runs %.0f ms)\n", kLayoutGoalMs,
                slowest <= kLayoutGoalMs ? "met" : "MISSED", layout_runs, slowest);
    std::filesystem::remove_all(root);
    std::filesystem::remove_all(std::getenv("XDG_RUNTIME_DIR"));
    return 0;
  }
  // The floor: the program's own start with one small picture.
  const std::string one = root + "/one";
  std::filesystem::create_directories(one);
  tv::SaveJpegFile(one + "/small.jpg", 64, 48, 80, [](int, int rows, uint8_t* rgb) {
    std::fill(rgb, rgb + rows * 64 * 3, 100);
    return true;
  });
  show("start-up, one small picture:", run("page", 30, false, one));
  auto cold30 = show("page of 30, cold cache:", run("page", 30, true));
  auto warm30 = show("page of 30, warm cache:", run("page", 30, false));
  auto cold200 = show("page of 200, cold cache:", run("page", 200, true));
  auto warm200 = show("page of 200, warm cache:", run("page", 200, false));

  auto paging = run("paging", 30, false);
  std::printf("\npaging forward and back, warm (30 a page), memory after each page:\n ");
  for (const auto& [key, value] : paging) {
    if (key.rfind("turn_", 0) == 0) std::printf(" %s %.0f MB;", key.c_str() + 8, value);
  }
  std::printf("\n  peak %.0f MB\n", paging["peak_mb"]);

  auto layout = run_layout();

  // The decoding limit: djpeg over the same files, first on one core, then with one
  // decoder a core running at once, each taking every n-th file; 1/8 is what thumbnails up
  // to 512 pixels need, 1/4 what one picture a line in a window up to 1500 pixels wide needs.
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(folder)) files.push_back(e.path());
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::printf("\n");
  for (const char* scale : {"1/8", "1/4"}) {
    auto decode = [&](size_t first, size_t step) {
      for (size_t i = first; i < files.size(); i += step)
        Spawn({"/usr/bin/djpeg", "-scale", scale, "-outfile", "/dev/null", files[i]});
    };
    auto from = Clock::now();
    decode(0, 1);
    const double one = std::chrono::duration<double>(Clock::now() - from).count();
    from = Clock::now();
    std::vector<std::thread> decoders;
    for (unsigned c = 0; c < cores; ++c) decoders.emplace_back(decode, c, cores);
    for (auto& d : decoders) d.join();
    const double all = std::chrono::duration<double>(Clock::now() - from).count();
    std::printf(
        "decoding limit (djpeg -scale %s): one core %.0f ms a picture, %.1f s for all %d; "
        "%u decoders at once %.1f s for all\n",
        scale, one * 1000 / files.size(), one, kPictures, cores, all);
  }
  std::printf("the whole cold page of 200 (one a line, 1/4 scale) took %.1f s\n",
              cold200["all_ms"] / 1000);

  std::printf("\ngoals: page of 30 painted cold <= 1500 ms: %s; warm <= 800 ms: %s\n",
              cold30["painted_ms"] <= 1500 ? "met" : "MISSED",
              warm30["painted_ms"] <= 800 ? "met" : "MISSED");
  // gThumb on the same folder in the same run: peak memory at most 1.1 times its own, and
  // all pictures shown in at most 0.9 times its time.
  std::printf("\n");
  const std::pair<int, std::pair<std::map<std::string, double>*, std::map<std::string, double>*>>
      pages[] = {{30, {&cold30, &warm30}}, {200, {&cold200, &warm200}}};
  for (const auto& [count, ours] : pages) {
    const auto peer = GthumbOn(folder, count);
    if (!peer) {
      std::printf("gThumb is not installed: no side-by-side figures\n");
      break;
    }
    auto& cold = *ours.first;
    auto& warm = *ours.second;
    const double cold_ratio = cold["peak_mb"] / peer->peak_mb;
    const double warm_ratio = warm["peak_mb"] / peer->peak_mb;
    const double time_ratio = cold["all_ms"] / peer->ms;
    std::printf(
        "page of %d beside gThumb (%d thumbnail files made in its cache in %.0f ms, peak %.0f "
        "MB): memory cold %.2f, warm %.2f (goal 1.1: %s); time to all shown, cold, against its "
        "files made %.2f (goal 0.9: %s)\n",
        count, count, peer->ms, peer->peak_mb, cold_ratio, warm_ratio,
        std::max(cold_ratio, warm_ratio) <= 1.1 ? "met" : "MISSED", time_ratio,
        time_ratio <= 0.9 ? "met" : "MISSED");
  }
  std::printf("layout change, warm: slowest %.0f ms (goal %d ms: %s)\n",
              layout["layout_slowest_ms"], kLayoutGoalMs,
              layout["layout_slowest_ms"] <= kLayoutGoalMs ? "met" : "MISSED");
  SetPerPage(root, 30);
  CompareScreens(self, root, folder, 3);
  std::filesystem::remove_all(root);
  std::filesystem::remove_all(std::getenv("XDG_RUNTIME_DIR"));
  return 0;
}
