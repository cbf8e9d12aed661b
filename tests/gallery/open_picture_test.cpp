// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a picture or a folder when the desktop has no program for it says so (the
// program never opens pictures with itself); typed answers ignore the desktop's language.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "gallery/frm_main.h"
#include "host/html_view.h"
#include "platform/posix/posix_services.h"
#include "program/application.h"
#include "settings/settings_store.h"
#include "support/comma_locale.h"
#include "support/desktop_shell.h"
#include "support/gallery_rig.h"
#include "support/memory_file_system.h"
#include "support/test_env.h"

namespace tv {
namespace {

using test::DesktopShell;

class OpenPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    front_->script.out = &output_;
    gallery_.Realize();
    folder_ = home_.Root() + "/pics";
    picture_ = home_.Write("pics/a b#1.jpg", "not really a picture");
    gallery_.folder_list->SetPath(folder_);
    front_->Loop().DoEvents();
  }

  test::TempHome home_;
  PosixServices posix_;
  std::unique_ptr<FrontEnd> front_ = MakeHeadlessFrontEnd(posix_.fs, posix_.paths);
  DesktopShell shell_;
  Platform platform_ = PlatformOf(posix_, *front_, posix_.fs, &shell_);
  std::ostringstream output_;
  Application app_{platform_, front_->script};
  FrmMain gallery_{app_};
  std::string folder_, picture_;
};

TEST_F(OpenPicture, WithNoProgramForIt) {
  shell_.can_open = true;  // first a desktop that has them: nothing to say
  ASSERT_TRUE(gallery_.page_view->View()->ClickLink(0));
  gallery_.ShowPicturePath();
  EXPECT_EQ(output_.str(), "");
  shell_.can_open = false;
  shell_.opened.clear();

  const std::string picture = "message: 打开图片: 没有可以打开这张图片的程序：" + picture_ + "\n";
  const std::string folder = "message: 打开文件夹: 没有可以打开文件夹的程序（文件管理器）：";
  ASSERT_TRUE(gallery_.page_view->View()->ClickLink(0));  // the thumbnail
  app_.State().selected_picture = picture_;
  gallery_.OpenSelectedPicture();  // the picture menu's open
  gallery_.ShowPicturePath();      // the folder button: the listed folder
  gallery_.ShowProgramFolder();
  gallery_.ShowSelectedPicturePath();  // the picture menu's show in folder
  const std::string listed = gallery_.folder_list->Path();
  const std::string program = platform_.paths.ProgramFolder();
  EXPECT_EQ(output_.str(), picture + picture + folder + listed + "\n" + folder + program + "\n" +
                               folder + picture_ + "\n");
  EXPECT_EQ(shell_.opened,
            (std::vector<std::string>{picture_, picture_, listed, program, "show " + picture_}));
}

TEST(TypedNumbers, JumpAndPerPageAnswersIgnoreTheLocale) {
  test::CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no locale with a decimal comma";
  test::MemoryFileSystem fs;
  test::GalleryRig rig(fs);
  for (int i = 0; i < 200; ++i) rig.app.State().pictures.Append("/p/" + std::to_string(i) + ".jpg");
  rig.gallery.FirstPage();

  rig.Answer("3.5");
  rig.gallery.JumpToPage();
  EXPECT_EQ(rig.gallery.current_page, 4);

  rig.Answer("30.7");
  rig.gallery.AskPicturesPerPage();
  EXPECT_EQ(rig.gallery.per_page, 31);
  EXPECT_EQ(SettingsStore(rig.platform.settings).GetSetting("Main", "PageFileCount"), "31");
}

}  // namespace
}  // namespace tv
