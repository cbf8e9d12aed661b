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
  bool Exists(const std::string& path) { return fs_.FileLength(path).has_value(); }

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

TEST_F(Screenshot, ReportsWhatItCouldNotSaveAndLeavesNoFile) {
  Show("<body><img src=a.png width=300 height=200></body>");
  const std::string missing = rig_.home.Root() + "/no such folder/shot.jpg";
  rig_.Answer(missing);
  rig_.gallery.SaveScreenshot();
  EXPECT_FALSE(Exists(missing));
  EXPECT_EQ(rig_.output.str(),
            "save: 截图另存为: 截图.jpg\n"
            "message: 截图另存为: 无法写入文件 " +
                missing + "，截图没有保存。\nbeep\n");

  rig_.output.str("");
  Show("<body><img src=a.png width=300 height=70000></body>");
  const std::string tall = rig_.home.Root() + "/tall.jpg";
  rig_.Answer(tall);
  rig_.gallery.SaveScreenshot();
  EXPECT_FALSE(Exists(tall));
  const std::string size =
      std::to_string(view().ScrollWidth() + 4) + " x " + std::to_string(view().ScrollHeight() + 4);
  EXPECT_EQ(rig_.output.str(),
            "save: 截图另存为: 截图.jpg\n"
            "message: 截图另存为: 页面太大（" +
                size + " 像素），无法保存为一张 JPEG 图片。\nbeep\n");
  EXPECT_TRUE(rig_.gallery.FindControl("Command9")->Enabled());
}

TEST_F(Screenshot, CancelledDialogDoesNothing) {
  Show("<body><img src=a.png width=300 height=200></body>");
  rig_.gallery.SaveScreenshot();  // nothing queued: cancel
  EXPECT_EQ(rig_.output.str(), "save: 截图另存为: 截图.jpg\n");
  EXPECT_TRUE(rig_.gallery.FindControl("Command9")->Enabled());
}

}  // namespace
}  // namespace tv
