// SPDX-License-Identifier: GPL-3.0-or-later
#include "screen_watch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

#include "desktop/xtest_input.h"

extern char** environ;

namespace bench {

namespace {

// A window may go away between listing and reading it: that is no reason to stop.
int IgnoreError(Display*, XErrorEvent*) {
  return 0;
}

double MsSince(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

}  // namespace

struct ScreenWatch::X {
  Display* d = nullptr;
  Window root = 0;
  bool shm = false;
  XImage* image = nullptr;
  XShmSegmentInfo info{};
  Area held;                   // the area `image` was made for
  std::vector<uint32_t> rows;  // a frame whose rows are not packed, repacked

  ~X() {
    Drop();
    if (d) XCloseDisplay(d);
  }
  void Drop() {
    if (!image) return;
    if (shm) {
      XShmDetach(d, &info);
      XDestroyImage(image);
      shmdt(info.shmaddr);
      shmctl(info.shmid, IPC_RMID, nullptr);
    } else {
      XDestroyImage(image);
    }
    image = nullptr;
  }
  // One frame of `a`; false when the server gave none (the area off the screen).
  bool Grab(Area a, Frame& frame) {
    if (shm && (!image || a.width != held.width || a.height != held.height)) {
      Drop();
      const int s = DefaultScreen(d);
      image = XShmCreateImage(d, DefaultVisual(d, s), DefaultDepth(d, s), ZPixmap, nullptr, &info,
                              a.width, a.height);
      info.shmid = shmget(IPC_PRIVATE, image->bytes_per_line * image->height, IPC_CREAT | 0600);
      info.shmaddr = image->data = static_cast<char*>(shmat(info.shmid, nullptr, 0));
      info.readOnly = False;
      XShmAttach(d, &info);
    }
    held = a;
    if (shm) {
      if (!XShmGetImage(d, root, image, a.x, a.y, AllPlanes)) return false;
    } else {
      Drop();
      image = XGetImage(d, root, a.x, a.y, a.width, a.height, AllPlanes, ZPixmap);
      if (!image) return false;
    }
    frame.width = a.width, frame.height = a.height;
    if (image->bits_per_pixel == 32 && image->bytes_per_line == a.width * 4) {
      frame.pixels = reinterpret_cast<const uint32_t*>(image->data);
      return true;
    }
    rows.resize(static_cast<size_t>(a.width) * a.height);
    for (int y = 0; y < a.height; ++y) {
      for (int x = 0; x < a.width; ++x) rows[y * a.width + x] = XGetPixel(image, x, y);
    }
    frame.pixels = rows.data();
    return true;
  }
};

ScreenWatch::ScreenWatch() : x_(std::make_unique<X>()) {
  x_->d = XOpenDisplay(nullptr);
  if (!x_->d) return;
  XSetErrorHandler(IgnoreError);
  x_->root = DefaultRootWindow(x_->d);
  x_->shm = XShmQueryExtension(x_->d);
}

ScreenWatch::~ScreenWatch() = default;

bool ScreenWatch::Ok() const {
  return x_->d != nullptr;
}

bool ScreenWatch::TrueColour() const {
  return Ok() && DefaultDepth(x_->d, DefaultScreen(x_->d)) >= 24;
}

Area ScreenWatch::Screen() const {
  const int s = DefaultScreen(x_->d);
  return {0, 0, DisplayWidth(x_->d, s), DisplayHeight(x_->d, s)};
}

unsigned long ScreenWatch::WindowOf(pid_t pid) const {
  const auto all = WindowsOf(pid);
  return all.empty() ? 0 : all.front();
}

std::vector<unsigned long> ScreenWatch::WindowsOf(pid_t pid) const {
  Window root_back = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(x_->d, x_->root, &root_back, &parent, &children, &count)) return {};
  const Atom wm_pid = XInternAtom(x_->d, "_NET_WM_PID", False);
  std::vector<unsigned long> found;
  for (unsigned i = count; i-- > 0;) {  // topmost first
    XWindowAttributes a;
    if (!XGetWindowAttributes(x_->d, children[i], &a) || a.map_state != IsViewable ||
        a.override_redirect ||  // menus, tooltips, pop-ups
        a.width < 100 || a.height < 100 || a.x + a.width <= 0 || a.y + a.height <= 0)
      continue;  // nor the toolkit's small helper windows, some placed off the screen
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x_->d, children[i], wm_pid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data) {
      if (items == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid)
        found.push_back(children[i]);
      XFree(data);
    }
  }
  if (children) XFree(children);
  return found;
}

Area ScreenWatch::AreaOf(unsigned long window) const {
  XWindowAttributes a;
  if (!XGetWindowAttributes(x_->d, window, &a)) return {};
  Window child = 0;
  int x = 0, y = 0;
  XTranslateCoordinates(x_->d, window, x_->root, 0, 0, &x, &y, &child);
  const Area screen = Screen();
  // Only what is on the screen can be read back.
  const int right = std::min(x + a.width, screen.width),
            bottom = std::min(y + a.height, screen.height);
  x = std::max(x, 0), y = std::max(y, 0);
  return {x, y, std::max(right - x, 1), std::max(bottom - y, 1)};
}

void ScreenWatch::Focus(unsigned long window) {
  const Area a = AreaOf(window);
  XWarpPointer(x_->d, 0, x_->root, 0, 0, 0, 0, a.x + a.width / 2, a.y + a.height / 2);
  XSetInputFocus(x_->d, window, RevertToPointerRoot, CurrentTime);
  XSync(x_->d, False);
}

void ScreenWatch::Press(const std::string& keys) {
  tv::test::PressKeysOn(x_->d, keys);
  XSync(x_->d, False);
}

double ScreenWatch::Until(Area area, Clock::time_point since, int timeout_ms,
                          const std::function<bool(const Frame&)>& seen) {
  Frame f;
  while (MsSince(since) < timeout_ms) {
    if (x_->Grab(area, f) && seen(f)) return MsSince(since);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return -1;
}

namespace {

// Pixels that differ between two frames of one area.
size_t Differing(const Frame& f, const std::vector<uint32_t>& other) {
  size_t n = 0;
  for (size_t i = 0; i < other.size(); ++i) n += (f.pixels[i] & 0xFFFFFF) != (other[i] & 0xFFFFFF);
  return n;
}

}  // namespace

// A change is one of at least a thousandth of the area (and 1,000 pixels): a blinking
// cursor, a spinner or a fading scroll bar is not what a person waits for.
double ScreenWatch::Watch(Area area, Clock::time_point since, const std::vector<uint32_t>* before,
                          int quiet_ms, int timeout_ms) {
  const size_t n = static_cast<size_t>(area.width) * area.height;
  const size_t least = std::max<size_t>(1000, n / 1000);
  static const bool tell = std::getenv("TV_BENCH_FRAMES") != nullptr;
  std::vector<uint32_t> ref;
  if (before) ref = *before;
  double changed = -1;
  Frame f;
  while (MsSince(since) < timeout_ms) {
    if (x_->Grab(area, f)) {
      const double now = MsSince(since);
      const size_t d = ref.size() == n ? Differing(f, ref) : n;
      if (tell && d > 0) std::fprintf(stderr, "    %.0f ms: %zu pixels changed\n", now, d);
      if (d >= least) {
        ref.assign(f.pixels, f.pixels + n);
        changed = now;
      } else if (changed >= 0 && now - changed >= quiet_ms) {
        return changed;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return -1;
}

double ScreenWatch::Settled(Area area, Clock::time_point since, int quiet_ms, int timeout_ms) {
  return Watch(area, since, nullptr, quiet_ms, timeout_ms);
}

double ScreenWatch::KeyEffectMs(Area area, const std::string& keys, int quiet_ms, int timeout_ms) {
  Frame f;
  if (!x_->Grab(area, f)) return -1;
  const std::vector<uint32_t> before(f.pixels, f.pixels + static_cast<size_t>(f.width) * f.height);
  const auto since = Clock::now();
  Press(keys);
  return Watch(area, since, &before, quiet_ms, timeout_ms);
}

long SignalPixels(const Frame& frame) {
  long n = 0;
  const size_t all = static_cast<size_t>(frame.width) * frame.height;
  for (size_t i = 0; i < all; ++i) {
    const uint32_t p = frame.pixels[i];
    const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    n += std::abs(r - kSignalRed) < 40 && std::abs(g - kSignalGreen) < 40 &&
         std::abs(b - kSignalBlue) < 40;
  }
  return n;
}

void QuietToolkitSettings(const std::string& config_home) {
  std::filesystem::create_directories(config_home + "/gtk-3.0");
  std::ofstream(config_home + "/gtk-3.0/settings.ini") << "[Settings]\ngtk-cursor-blink=false\n";
}

pid_t StartProgram(const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  // A group of its own, so Stop reaches the helper processes it starts and nothing else.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  return rc == 0 ? pid : 0;
}

void StopProgram(pid_t pid) {
  if (pid <= 0) return;
  kill(-pid, SIGTERM);
  for (int i = 0; i < 300; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

bool Installed(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string rest = path ? path : "/usr/bin:/bin";
  for (size_t at = 0; at <= rest.size();) {
    size_t end = rest.find(':', at);
    if (end == std::string::npos) end = rest.size();
    if (access((rest.substr(at, end - at) + "/" + name).c_str(), X_OK) == 0) return true;
    at = end + 1;
  }
  return false;
}

std::string MedianAndLowest(std::vector<double> ms) {
  if (ms.empty()) return "no figures";
  std::sort(ms.begin(), ms.end());
  char text[96];
  std::snprintf(text, sizeof text, "median %.0f ms, lowest %.0f ms (%zu runs)", ms[ms.size() / 2],
                ms.front(), ms.size());
  return text;
}

}  // namespace bench
