// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip in the headless program: 1,000 tabs opened through the new-tab command
// and closed again one by one, then 1,000 opened and closed at once; each pass re-lays
// every label, so the figures show that opening and closing stay one pass a tab.
#include <chrono>
#include <cstdio>

#include "bench_gallery.h"
#include "frame/form_explore.h"
#include "program/browser_state.h"

namespace {

constexpr int kTabs = 1000;
constexpr double kGoalMs = 1000;

double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

}  // namespace

int main() {
  tv::bench::BenchGallery rig;
  tv::OpenBrowserFrame(rig.app);
  auto* frame = dynamic_cast<tv::FormExplore*>(rig.app.FindWindow("FormExplore"));
  if (!frame) return 1;
  tv::BrowserState& tabs = rig.app.State().browser;
  rig.platform.loop.DoEvents();

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kTabs; ++i) frame->NewTab();
  const double open_ms = Ms(start);
  const int opened = tabs.TabCount;
  start = std::chrono::steady_clock::now();
  while (tabs.TabCount > 1) frame->CloseCurrentTab();
  rig.app.CollectUnloaded();
  const double close_ms = Ms(start);

  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kTabs; ++i) frame->NewTab();
  frame->CloseAll();
  rig.app.CollectUnloaded();
  const double both_ms = Ms(start);

  std::printf("tabs opened: %d (plus the first)\n", opened - 1);
  std::printf("open %d tabs: %.1f ms (%.3f ms a tab)\n", kTabs, open_ms, open_ms / kTabs);
  std::printf("close them one by one: %.1f ms (%.3f ms a tab)\n", close_ms, close_ms / kTabs);
  std::printf("closing / opening: %.2f (goal at most 2): %s\n", close_ms / open_ms,
              close_ms <= 2 * open_ms ? "met" : "NOT met");
  std::printf("open %d and close all: %.1f ms\n", kTabs, both_ms);
  const double total = open_ms + close_ms;
  std::printf("opened and closed in %.1f ms (goal under %.0f ms): %s\n", total, kGoalMs,
              total < kGoalMs ? "met" : "NOT met");
  return 0;
}
