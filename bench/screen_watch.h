// SPDX-License-Identifier: GPL-3.0-or-later
// Pixels on screen, for the benchmarks that time what a person sees: frames of the X
// screen read back, real key presses, the windows of a program started beside the bench.
// Kept apart from the toolkit: the X headers stay inside screen_watch.cpp.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

struct Area {
  int x = 0, y = 0, width = 0, height = 0;
};

// One frame read back: 0xRRGGBB a pixel, row after row.
struct Frame {
  int width = 0, height = 0;
  const uint32_t* pixels = nullptr;
};

class ScreenWatch {
 public:
  ScreenWatch();  // the display in DISPLAY; Ok() is false without one
  ~ScreenWatch();
  bool Ok() const;
  // A screen of 24 bits or more: the colours the benches look for read as they were drawn.
  bool TrueColour() const;
  Area Screen() const;

  // The topmost mapped window of process `pid` (its _NET_WM_PID), 0 when none.
  unsigned long WindowOf(pid_t pid) const;
  std::vector<unsigned long> WindowsOf(pid_t pid) const;  // topmost first
  Area AreaOf(unsigned long window) const;
  // Gives `window` the keyboard and puts the pointer on it, as a click into it would.
  void Focus(unsigned long window);
  void Press(const std::string& keys);  // "Page_Down", "Ctrl+Tab"

  // Reads `area` until `seen` holds for a frame; the time from `since`, -1 after
  // `timeout_ms`.
  double Until(Area area, Clock::time_point since, int timeout_ms,
               const std::function<bool(const Frame&)>& seen);
  // Reads `area` until it has held still for `quiet_ms`; the time from `since` to the last
  // change, -1 when it never settled within `timeout_ms`.
  double Settled(Area area, Clock::time_point since, int quiet_ms, int timeout_ms);
  // A key's effect: from the press sent to the last change before the area holds still for
  // `quiet_ms`; -1 when nothing changed, or it never held still, within `timeout_ms`.
  double KeyEffectMs(Area area, const std::string& keys, int quiet_ms = 400, int timeout_ms = 5000);

 private:
  double Watch(Area area, Clock::time_point since, const std::vector<uint32_t>* before,
               int quiet_ms, int timeout_ms);
  struct X;
  std::unique_ptr<X> x_;
};

// Pixels a picture of the benches' signal colour covers: red high, green low, blue high, as
// no part of a window's theme is drawn.
long SignalPixels(const Frame& frame);
constexpr uint8_t kSignalRed = 240, kSignalGreen = 16, kSignalBlue = 200;

// Writes the toolkit's settings for a private XDG_CONFIG_HOME: no blinking text cursor, so
// a still window reads as still.
void QuietToolkitSettings(const std::string& config_home);

// Starts `args` (the program first) with its output dropped; its pid, or 0 when it cannot
// be started. Stop ends it and waits for it.
pid_t StartProgram(const std::vector<std::string>& args);
void StopProgram(pid_t pid);
// Whether a program of that name is on PATH.
bool Installed(const std::string& name);

// Median and lowest of figures, printed "median M ms, lowest L ms (N runs)".
std::string MedianAndLowest(std::vector<double> ms);

}  // namespace bench
