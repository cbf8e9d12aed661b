// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "host/html_view.h"
#include "platform/posix/posix_file_system.h"
#include "reduced_pictures/picture_size.h"
#include "support/gallery_rig.h"

namespace tv {
namespace {

// The gallery showing a page of `html`, ready for its screenshot command.
class Screenshot : public ::testing::Test {
 protected:
  void Show(const std::string& html) {
    const std::string page = rig_.home.Write("page.htm", html);
    rig_.gallery.page_view->View()->Navigate(page);
    rig_.front->Loop().DoEvents();
    ASSERT_TRUE(view().HasDocument());
  }
  HtmlView& view() { return *rig_.gallery.page_view->View(); }

  PosixFileSystem fs_;
  test::GalleryRig rig_{fs_};
};

TEST_F(Screenshot, SavesTheWholePageWithAMarginOfFour) {
  Show("<body><img src=a.png width=300 height=2500><img src=b.png width=200 height=40></body>");
  const int w = view().ScrollWidth(), h = view().ScrollHeight();
  ASSERT_GE(h, 2500);  // far taller than the view
  const std::string file = rig_.home.Root() + "/shot.jpg";
  rig_.Answer(file);
  rig_.gallery.SaveScreenshot();
  PictureSize saved = GetPictureSize(fs_, file);
  EXPECT_EQ(saved.width, w + 4);
  EXPECT_EQ(saved.height, h + 4);
  EXPECT_EQ(rig_.output.str(), "save: 截图另存为: 截图.jpg\nbeep\n");
  EXPECT_EQ(rig_.gallery.scratch, file);
  EXPECT_TRUE(rig_.gallery.FindControl("Command9")->Enabled());
}

}  // namespace
}  // namespace tv
