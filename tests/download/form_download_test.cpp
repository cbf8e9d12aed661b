// SPDX-License-Identifier: GPL-3.0-or-later
// The download dialog saves where its boxes say: the folder typed or browsed for, the
// name typed, cleaned as page names are, and never over a file that is there.
#include "download/form_download.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "frame/form_explore.h"
#include "program/application.h"
#include "support/browser_rig.h"
#include "support/test_env.h"

namespace tv {
namespace {

TEST(DownloadFileName, TheTypedNameCleanedElseTheAddresssOwn) {
  EXPECT_EQ(DownloadFileName("photo.jpg", "http://h/x.png"), "photo.jpg");
  EXPECT_EQ(DownloadFileName("a/b:c?.jpg", "http://h/x.png"), "a b：c？.jpg");
  EXPECT_EQ(DownloadFileName("  padded.zip  ", "http://h/x"), "padded.zip");
  // Nothing usable typed: the address's last part without its query, else a page name.
  for (const char* typed : {"", "   ", ".", "..", "\\"}) {
    EXPECT_EQ(DownloadFileName(typed, "http://h/dir/file.zip?token=1#top"), "file.zip") << typed;
    EXPECT_EQ(DownloadFileName(typed, "http://h/dir/"), "index.html") << typed;
    EXPECT_EQ(DownloadFileName(typed, "http://example.com"), "index.html") << typed;
  }
  EXPECT_EQ(DownloadFileName("", "http://h/../.."), "index.html");
}

TEST(FreeFilePath, ATakenNameGetsTheFirstFreeNumber) {
  test::TempHome home;
  PosixServices posix;
  const std::string folder = home.Root() + "/dl";
  EXPECT_EQ(FreeFilePath(posix.fs, folder, "a.zip"), folder + "/a.zip");
  home.Write("dl/a.zip", "old");
  home.Write("dl/a (2).zip", "old");
  home.Write("dl/README", "old");
  std::filesystem::create_directories(folder + "/sub");
  EXPECT_EQ(FreeFilePath(posix.fs, folder + "/", "a.zip"), folder + "/a (3).zip");
  EXPECT_EQ(FreeFilePath(posix.fs, folder, "README"), folder + "/README (2)");
  EXPECT_EQ(FreeFilePath(posix.fs, folder, "sub"), folder + "/sub (2)");
  EXPECT_EQ(FreeFilePath(posix.fs, folder, ".hidden"), folder + "/.hidden");
}

class DownloadDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_.frame->FindControl("DownLoadFile")->FireClick();
    dialog_ = dynamic_cast<FormDownload*>(rig_.app.FindWindow("FormDownload"));
    ASSERT_NE(dialog_, nullptr);
    rig_.output.str("");
  }
  std::string Said() {
    std::string s = rig_.output.str();
    rig_.output.str("");
    return s;
  }

  test::BrowserRig rig_;
  FormDownload* dialog_ = nullptr;
};

TEST_F(DownloadDialog, SavesIntoTheTypedFolderUnderTheTypedName) {
  const std::string folder = rig_.home.Root() + "/new/folder";
  dialog_->address_box->SetText("http://example.com/dir/file.zip");
  EXPECT_EQ(dialog_->Text2->Text(), "file.zip");
  dialog_->Text1->SetText(folder);
  dialog_->Text2->SetText("my:file?.zip");
  dialog_->Download();
  // No second dialog asks where: the folder is made and the name cleaned.
  EXPECT_EQ(Said(), "download: http://example.com/dir/file.zip to " + folder + "/my：file？.zip\n");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(dialog_->IsUnloaded());
}

TEST_F(DownloadDialog, AFileThereIsKeptAndABadFolderKeepsTheDialogOpen) {
  const std::string folder = rig_.home.Root() + "/dl";
  rig_.home.Write("dl/file.zip", "mine");
  dialog_->address_box->SetText("http://example.com/dir/file.zip");
  dialog_->Text1->SetText("relative/place");
  dialog_->Download();
  EXPECT_EQ(Said(), "message: 下载网络文件: 请指定保存文件的目录（完整路径）：relative/place\n");
  rig_.home.Write("blocker", "a file where the folder should be");
  dialog_->Text1->SetText(rig_.home.Root() + "/blocker/sub");
  dialog_->Download();
  EXPECT_EQ(Said(), "message: 下载网络文件: 无法建立目录：" + rig_.home.Root() + "/blocker/sub\n");
  EXPECT_FALSE(dialog_->IsUnloaded());
  EXPECT_EQ(dialog_->address_box->List().size(), 0u);

  dialog_->Text1->SetText(folder + "/");
  dialog_->Download();
  EXPECT_EQ(Said(), "download: http://example.com/dir/file.zip to " + folder + "/file (2).zip\n");
  EXPECT_EQ(test::ReadFile(folder + "/file.zip"), "mine");
}

}  // namespace
}  // namespace tv
