// SPDX-License-Identifier: GPL-3.0-or-later
// The headless view hands out the picture files of a local page at their natural size,
// as the desktop view hands out the bytes it received.
#include "platform/headless/headless_loop.h"

#include <gtest/gtest.h>

#include "host/html_view.h"
#include "platform/form.h"
#include "platform/posix/posix_file_system.h"
#include "support/gallery_rig.h"
#include "support/test_platform.h"
#include "support/web_fixtures.h"

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

TEST(HeadlessLoop, TimersFireOnTheVirtualClockOnlyWhileEnabledAndAlive) {
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
  // A timer destroyed while enabled never fires.
  int ticks = 0;
  {
    TimerForm gone(t.platform);
    gone.Realize();
    gone.slow->TimerTick = [&ticks] { ++ticks; };
    gone.slow->SetTimerEnabled(true);
  }
  t.platform.loop.Sleep(3000);
  EXPECT_EQ(ticks, 0);
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

TEST(HeadlessCopyPicture, GivesThePictureFileAndItsOwnSize) {
  PosixFileSystem fs;
  test::GalleryRig rig(fs);
  rig.home.Write("big pic.jpg", test::Jpeg(640, 600, 50));
  const std::string page = rig.home.Write(
      "p.htm", "<p>x</p><img src=\"" + rig.home.Root() +
                   "/big pic.jpg\" width=100 height=90><img src=\"http://h/a.jpg\" width=9 "
                   "height=9><img src=\"/no/such.jpg\">");
  HtmlView& view = *rig.gallery.page_view->View();
  view.Navigate(page);
  rig.front->Loop().DoEvents();
  const std::vector<HtmlElement> all = view.All();
  ASSERT_EQ(all.size(), 4u);  // P, IMG, IMG, IMG
  EXPECT_EQ(all[1].natural_width, 640);
  EXPECT_TRUE(all[1].loaded);
  const auto bytes = view.HeldPicture(all[1].src);
  ASSERT_TRUE(bytes);
  auto copy = view.ShownPicture(1);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->width, 640);  // not the shown 100 x 90
  EXPECT_EQ(copy->height, 600);
  EXPECT_FALSE(view.HeldPicture(all[2].src));  // nothing of the network in headless runs
  EXPECT_FALSE(view.HeldPicture(all[3].src));  // a missing file
  EXPECT_FALSE(view.ShownPicture(4));          // past the elements
  EXPECT_FALSE(view.ShownPicture(-1));
}

}  // namespace
}  // namespace tv
