// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scenario_runner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "program/application.h"
#include "support/test_platform.h"

namespace tv {
namespace {

// Runs the gallery on `lines` and returns what the script printed.
std::string RunScript(const std::vector<std::string>& lines, bool* failed = nullptr) {
  test::TestPlatform t;
  Application app(t.platform, t.front->script);
  std::ostringstream out;
  t.front->script.active = true;
  t.front->script.out = &out;
  ScenarioRunner runner(app, *t.front, lines, out);
  t.platform.loop.idle_work = [&runner] { return runner.Step(); };
  app.Run("");
  if (failed) *failed = runner.Failed();
  return out.str();
}

TEST(ScenarioRunner, BadLinesStopTheRunWithTheirLineNumber) {
  bool failed = false;
  std::string out = RunScript({"# comment", "", "print page count", "jump around"}, &failed);
  EXPECT_TRUE(failed);
  EXPECT_EQ(out, "page count=0\nerror: line 4: unknown line: jump around\n");

  for (const char* bad :
       {"click Nothing", "print Lab(0).Colour", "wait soon", "window FormX", "resize 10",
        "key Cmb up", "clock 2027-13-01 00:00:00", "clock 2027-03-05x 09:07:00",
        "clock 2027-03-05 24:00:00", "clock", "follow 1"}) {
    RunScript({bad}, &failed);
    EXPECT_TRUE(failed) << bad;
  }
}

// Clicks refused by disabled controls are the paging scenario's.
TEST(ScenarioRunner, ClosingTheGalleryEndsTheRun) {
  bool failed = true;
  EXPECT_EQ(RunScript({"close", "print never"}, &failed), "");
  EXPECT_FALSE(failed);
}

}  // namespace
}  // namespace tv
