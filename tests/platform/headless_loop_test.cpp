// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_loop.h"

#include <gtest/gtest.h>

#include "platform/form.h"
#include "support/test_platform.h"

namespace tv {
namespace {

class TimerForm : public Form {
 public:
  explicit TimerForm(Platform& p) : Form(p, "TimerForm") {
    fast = &Add(ControlKind::Timer, "Fast");
    slow = &Add(ControlKind::Timer, "Slow");
    fast->SetInterval(20);
    slow->SetInterval(1000);
    fast->TimerTick = [this] {
      if (++fast_ticks == 3) fast->SetTimerEnabled(false);  // stops itself
    };
    slow->TimerTick = [this] { ++slow_ticks; };
  }
  Control* fast;
  Control* slow;
  int fast_ticks = 0, slow_ticks = 0;
};

TEST(HeadlessLoop, TimersFireOnTheVirtualClockOnlyWhileEnabled) {
  test::TestPlatform t;
  TimerForm f(t.platform);
  f.Realize();
  f.fast->SetTimerEnabled(true);
  f.slow->SetTimerEnabled(true);
  t.platform.loop.Sleep(19);
  EXPECT_EQ(f.fast_ticks, 0);
  t.platform.loop.Sleep(1);
  EXPECT_EQ(f.fast_ticks, 1);
  t.platform.loop.Sleep(2000);
  EXPECT_EQ(f.fast_ticks, 3);
  EXPECT_EQ(f.slow_ticks, 2);
  EXPECT_EQ(t.platform.loop.TickMs(), 2020u);
  f.slow->SetTimerEnabled(false);
  t.platform.loop.Sleep(5000);
  EXPECT_EQ(f.slow_ticks, 2);
}

TEST(HeadlessLoop, InputIsTakenOnlyByItsWindowAndDroppedOtherwise) {
  test::TestPlatform t;
  Form outer(t.platform, "Outer"), inner(t.platform, "Inner"), other(t.platform, "Other");
  inner.SetParentForm(&outer);
  MessageLoop& loop = t.platform.loop;
  loop.Post({InputMessage::Kind::Wheel, &inner, -120});
  EXPECT_FALSE(loop.Take(InputMessage::Kind::Wheel, other));
  EXPECT_FALSE(loop.Take(InputMessage::Kind::RightButtonUp, outer));
  auto m = loop.Take(InputMessage::Kind::Wheel, outer);  // a window inside counts
  ASSERT_TRUE(m);
  EXPECT_EQ(m->delta, -120);
  loop.Post({InputMessage::Kind::RightButtonUp, &other, 0});
  loop.DoEvents();  // nobody took it
  EXPECT_FALSE(loop.Take(InputMessage::Kind::RightButtonUp, other));
}

TEST(HeadlessLoop, DestroyedTimersNeverFire) {
  test::TestPlatform t;
  int ticks = 0;
  {
    TimerForm f(t.platform);
    f.Realize();
    f.slow->TimerTick = [&ticks] { ++ticks; };
    f.slow->SetTimerEnabled(true);
  }
  t.platform.loop.Sleep(3000);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace tv
