// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting from the picture menu: the wastebasket where there is one, a question before
// deleting for good where there is none, and the list, count and page following the file.
#include <sys/stat.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "host/html_view.h"
#include "platform/posix/posix_file_system.h"
#include "support/gallery_rig.h"
#include "support/png_head.h"
#include "text/text_util.h"

namespace tv {
namespace {

// GLib keeps the first data folder a process sees, so the real wastebasket would not stay
// in this test's home (the picture menu's scenario uses the real one).
class TrashAs : public PosixFileSystem {
 public:
  TrashResult Trash(const std::string& path) override {
    if (answer != TrashResult::kTrashed) return answer;
    const std::string to = bin + path.substr(path.rfind('/'));
    return ::rename(path.c_str(), to.c_str()) == 0 ? answer : TrashResult::kFailed;
  }
  TrashResult answer = TrashResult::kTrashed;
  std::string bin;  // where "trashed" files go
};

class DeletePicture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = rig_.home.Root() + "/pics";
    ::mkdir(folder_.c_str(), 0700);
    fs_.bin = rig_.home.Root() + "/bin";
    ::mkdir(fs_.bin.c_str(), 0700);
    for (const char* name : {"a.png", "b.png", "c.png"})
      rig_.home.Write(std::string("pics/") + name, test::PngHead(40, 30));
    rig_.gallery.per_page = 30;
    rig_.gallery.folder_list->SetPath(folder_);
    rig_.front->Loop().DoEvents();
    ASSERT_EQ(List().count, 3);
  }

  const PictureList& List() { return rig_.app.State().pictures; }
  void Delete(const std::string& name) {
    rig_.app.State().selected_picture = folder_ + "/" + name;
    rig_.output.str("");
    rig_.gallery.TrashSelectedPicture();
    rig_.front->Loop().DoEvents();
  }
  int PageLinks() {
    int n = 0;
    for (const HtmlElement& e : rig_.gallery.page_view->View()->All()) n += e.tag_name == "A";
    return n;
  }

  TrashAs fs_;
  test::GalleryRig rig_{fs_};
  std::string folder_;
};

TEST_F(DeletePicture, WithoutAWastebasketOrWhenItRefusesAsksFirst) {
  fs_.answer = TrashResult::kNoTrash;
  Delete("a.png");  // nothing queued: the question is answered no
  EXPECT_NE(rig_.output.str().find("question: 删除图片: "), std::string::npos);
  EXPECT_TRUE(fs_.IsFile(folder_ + "/a.png"));
  EXPECT_EQ(List().count, 3);
  rig_.Answer("yes");
  Delete("a.png");
  EXPECT_FALSE(fs_.IsFile(folder_ + "/a.png"));
  EXPECT_EQ(List().text, folder_ + "/b.png\r\n" + folder_ + "/c.png\r\n");

  fs_.answer = TrashResult::kFailed;
  rig_.Answer("yes");
  Delete("c.png");
  EXPECT_NE(rig_.output.str().find("question: 删除图片: 无法移到回收站"), std::string::npos);
  EXPECT_FALSE(fs_.IsFile(folder_ + "/c.png"));
  EXPECT_EQ(List().count, 1);
  // A file that cannot be deleted either says so and stays listed.
  ::chmod(folder_.c_str(), 0500);
  rig_.Answer("yes");
  Delete("b.png");
  ::chmod(folder_.c_str(), 0700);
  if (fs_.IsFile(folder_ + "/b.png")) {  // root may delete anyway
    EXPECT_NE(rig_.output.str().find("message: 删除图片: 无法删除图片："), std::string::npos);
    EXPECT_EQ(List().count, 1);
  }
}

TEST_F(DeletePicture, TheLastPictureOfTheLastPageGoesBackAPage) {
  rig_.gallery.per_page = 2;
  rig_.gallery.TurnPage(1);
  ASSERT_EQ(rig_.gallery.current_page, 2);
  Delete("c.png");
  EXPECT_EQ(rig_.gallery.current_page, 1);
  EXPECT_EQ(PageLinks(), 2);
  EXPECT_FALSE(rig_.gallery.page_buttons[0].Enabled());
  EXPECT_FALSE(rig_.gallery.page_buttons[1].Enabled());
}

}  // namespace
}  // namespace tv
