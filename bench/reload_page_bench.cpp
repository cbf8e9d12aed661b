// SPDX-License-Identifier: GPL-3.0-or-later
// A page that reloads itself every 0 seconds, with one large picture and automatic
// download on, served by a loopback server of the bench's own, for 30 seconds (or the
// seconds given): how soon a click on the other tab is answered (from the moment it is
// due to the end of its handler, every 250 ms), the summed proportional memory (PSS) of
// the program and its engine processes once a second (the first and last thirds
// compared), and the files written. `off` as a second argument runs the same with
// automatic download off, to tell the engine's own share. Run under a display:
// `xvfb-run -a reload_page_bench [SECONDS [off]]`.
#include <dirent.h>
#include <glib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bench_gallery.h"
#include "frame/form_explore.h"
#include "host/html_view.h"
#include "platform/jpeg.h"
#include "process_tree.h"
#include "program/browser_state.h"
#include "support/loopback_server.h"
#include "webpics/form_web.h"

namespace {

constexpr int kClickEveryMs = 250;
constexpr double kAnswerGoalMs = 100;

using Clock = std::chrono::steady_clock;

double MsBetween(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// The program's own PSS and that of every process descended from it (the engine's).
struct Memory {
  double program_mb = 0;
  double engine_mb = 0;
  double Total() const { return program_mb + engine_mb; }
};

Memory TreePss() {
  const std::vector<int> tree = bench::ProcessTree();
  Memory m;
  m.program_mb = bench::PssKb(tree[0]) / 1024.0;
  for (size_t i = 1; i < tree.size(); ++i) m.engine_mb += bench::PssKb(tree[i]) / 1024.0;
  return m;
}

// The mean of readings [from, to); the first reading when the range is empty.
Memory MeanOf(const std::vector<Memory>& readings, size_t from, size_t to) {
  if (from >= to) return readings.front();
  Memory sum;
  for (size_t i = from; i < to; ++i) {
    sum.program_mb += readings[i].program_mb;
    sum.engine_mb += readings[i].engine_mb;
  }
  sum.program_mb /= static_cast<double>(to - from);
  sum.engine_mb /= static_cast<double>(to - from);
  return sum;
}

std::string Jpeg(int width, int height) {
  const std::string path = std::filesystem::temp_directory_path() /
                           ("tv-reload-bench-" + std::to_string(getpid()) + ".jpg");
  tv::SaveJpegFile(path, width, height, 80, [width](int first, int rows, uint8_t* rgb) {
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < width; ++x, rgb += 3) {
        rgb[0] = static_cast<uint8_t>(x), rgb[1] = static_cast<uint8_t>(first + y), rgb[2] = 90;
      }
    }
    return true;
  });
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  return bytes;
}

struct Browser {
  Browser(const std::string& home_page, bool download)
      : front(tv::MakeDesktopFrontEnd(posix.fs, posix.paths)) {
    if (!front) return;
    platform = std::make_unique<tv::Platform>(tv::PlatformOf(posix, *front, posix.fs));
    app = std::make_unique<tv::Application>(*platform, front->script);
    front->script.active = true;
    std::filesystem::create_directories(root + "/config/tessaview");
    std::ofstream(root + "/config/tessaview/settings.ini")
        << "[Tessaro2017/setup]\nDownload=" << (download ? 1 : 0)
        << "\nPop=1\nHomepage=" << home_page << "\n";
    tv::OpenBrowserFrame(*app);
    frame = dynamic_cast<tv::FormExplore*>(app->FindWindow("FormExplore"));
  }

  bool Until(const std::function<bool()>& done, int ms = 15000) {
    const auto start = Clock::now();
    while (!done()) {
      if (MsBetween(start, Clock::now()) > ms) return false;
      platform->loop.Sleep(1);
    }
    return true;
  }

  bool Shows(int position, const std::string& name) {
    tv::BrowserState& tabs = app->State().browser;
    if (position >= tabs.TabCount) return false;
    tv::FormWeb* page = tabs.Webs[tabs.TabOrder[position]];
    if (!page) return false;
    const std::string at = page->Web->View()->LocationURL();
    return at.size() >= name.size() && at.compare(at.size() - name.size(), name.size(), name) == 0;
  }

  std::string root = tv::bench::MakeBenchHome();  // first: the services read HOME and XDG
  tv::PosixServices posix;
  std::unique_ptr<tv::FrontEnd> front;
  std::unique_ptr<tv::Platform> platform;
  std::unique_ptr<tv::Application> app;
  tv::FormExplore* frame = nullptr;
};

// Clicks on the tab that is not in front, one at a time: each is due kClickEveryMs after
// the last was answered, and is answered when the frame's handler has shown that tab.
struct Clicker {
  Browser* b = nullptr;
  int slots[2] = {0, 0};
  int next = 1;
  bool stopped = false;
  Clock::time_point due;
  std::vector<double> answers;  // ms from due to answered

  void Schedule() {
    due = Clock::now() + std::chrono::milliseconds(kClickEveryMs);
    g_timeout_add(kClickEveryMs, &Clicker::Fire, this);
  }
  static gboolean Fire(gpointer self) {
    auto& c = *static_cast<Clicker*>(self);
    if (c.stopped) return G_SOURCE_REMOVE;
    tv::MouseArgs left;
    left.button = 1;
    c.b->frame->TabLabelMouseUp(c.slots[c.next], left);
    c.answers.push_back(MsBetween(c.due, Clock::now()));
    c.next = 1 - c.next;
    c.Schedule();
    return G_SOURCE_REMOVE;
  }
};

int PicturesWritten(const std::string& root) {
  int n = 0;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_regular_file() && it->path().extension() == ".jpg") ++n;
  }
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (!std::getenv("DISPLAY")) {
    std::printf("no DISPLAY: run under xvfb-run\n");
    return 1;
  }
  const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 30;
  tv::test::LoopbackServer server;
  server.Page("/p.jpg", Jpeg(800, 600));
  server.Page("/reload.htm",
              "<html><head><meta http-equiv=refresh content=0><title>Again</title></head>"
              "<body><img src=\"/p.jpg\"></body></html>");
  server.Page("/other.htm", "<html><head><title>Other</title></head><body>other</body></html>");
  const bool download = !(argc > 2 && std::string(argv[2]) == "off");
  Browser b(server.Url("/reload.htm"), download);
  if (!b.frame) {
    std::fprintf(stderr, "reload_page_bench: no display\n");
    return 1;
  }
  if (!b.Until([&] { return b.Shows(0, "/reload.htm"); })) {
    std::fprintf(stderr, "reload_page_bench: the page never loaded\n");
    return 1;
  }
  b.frame->LoadNewForm(server.Url("/other.htm"));
  if (!b.Until([&] { return b.Shows(1, "/other.htm"); })) {
    std::fprintf(stderr, "reload_page_bench: the second tab never loaded\n");
    return 1;
  }
  tv::BrowserState& tabs = b.app->State().browser;
  b.platform->loop.Sleep(1000);
  const size_t requests_before = server.Requests().size();

  Clicker clicker;
  clicker.b = &b;
  clicker.slots[0] = tabs.TabOrder[0];
  clicker.slots[1] = tabs.TabOrder[1];
  // One reading a second: the engine frees in bursts, so a few readings alone tell
  // its collector's rhythm rather than a trend.
  std::vector<Memory> readings = {TreePss()};
  clicker.Schedule();
  const auto start = Clock::now();
  while (MsBetween(start, Clock::now()) < seconds * 1000.0) {
    b.platform->loop.Sleep(20);
    if (MsBetween(start, Clock::now()) >= 1000.0 * readings.size()) readings.push_back(TreePss());
  }
  clicker.stopped = true;

  int reloads = 0, picture_requests = 0;
  const std::vector<std::string> log = server.Requests();
  for (size_t i = requests_before; i < log.size(); ++i) {
    reloads += log[i] == "/reload.htm";
    picture_requests += log[i] == "/p.jpg";
  }
  std::vector<double> ms = clicker.answers;
  std::sort(ms.begin(), ms.end());
  const int written = PicturesWritten(b.root);
  std::printf(
      "a page reloading itself every 0 s, automatic download %s, %d s: %d loads of the "
      "page, %d of its picture\n",
      download ? "on" : "off", seconds, reloads, picture_requests);
  if (ms.empty()) {
    std::printf("no click on the other tab was answered\n");
  } else {
    std::printf(
        "click on the other tab answered: median %.1f ms, worst %.1f ms (%zu clicks); "
        "goal under %.0f ms: %s\n",
        ms[ms.size() / 2], ms.back(), ms.size(), kAnswerGoalMs,
        ms.back() < kAnswerGoalMs ? "met" : "NOT met");
  }
  const Memory first = MeanOf(readings, 0, readings.size() / 3);
  const Memory last = MeanOf(readings, readings.size() - readings.size() / 3, readings.size());
  double peak = 0;
  for (const Memory& m : readings) peak = std::max(peak, m.Total());
  std::printf(
      "program and engine processes, PSS (%zu readings, one a second): first third %.0f MB "
      "(program %.0f, engine %.0f), last third %.0f MB (program %.0f, engine %.0f), "
      "peak %.0f MB; goal flat (last third at most 10%% above the first): %s\n",
      readings.size(), first.Total(), first.program_mb, first.engine_mb, last.Total(),
      last.program_mb, last.engine_mb, peak,
      last.Total() <= first.Total() * 1.1 ? "met" : "NOT met");
  std::printf("pictures written: %d (goal %s): %s\n", written, download ? "exactly 1" : "none",
              written == (download ? 1 : 0) ? "met" : "NOT met");
  std::filesystem::remove_all(b.root);
  std::filesystem::remove_all(std::getenv("XDG_RUNTIME_DIR"));
  return 0;
}
