// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs start in the user's folders, then where the last file was chosen. The
// download dialog saves where its boxes say: the folder typed or browsed for, the
// name typed, cleaned as page names are, and never over a file that is there.
#include "program/file_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <vector>

#include "download/form_download.h"
#include "frame/form_explore.h"
#include "platform/posix/posix_services.h"
#include "platform/posix/user_folders.h"
#include "program/application.h"
#include "support/browser_rig.h"
#include "support/test_env.h"

namespace tv {
namespace {

// Open and save dialogs that note the folder they were to start in and answer from a list.
class NotingDialogs : public Dialogs {
 public:
  std::string InputBox(Form*, const std::string&, const std::string&, const std::string&) override {
    return "";
  }
  void MsgBox(Form*, const std::string&, MsgIcon, const std::string&) override {}
  bool Confirm(Form*, const std::string&, const std::string&) override { return false; }
  std::string BrowseFolder(Form*, const std::string&) override { return ""; }
  std::string OpenFile(Form*, const std::string&, const std::string& folder, int) override {
    return Answer(folder);
  }
  std::string SaveFile(Form*, const std::string&, const std::string& folder, const std::string&,
                       int) override {
    return Answer(folder);
  }
  void About(Form*, const std::string&, const std::string&) override {}

  std::vector<std::string> started;  // the start folder of each dialog, in order
  std::string answer;                // what the next dialog returns ("" cancels)

 private:
  std::string Answer(const std::string& folder) {
    started.push_back(folder);
    return answer;
  }
};

class DialogFolders : public ::testing::Test {
 protected:
  DialogFolders() {
    for (const char* f : {"home/Bilder", "home/Downloads", "elsewhere", "trip"}) {
      std::filesystem::create_directories(home_.Root() + "/" + f);
    }
  }
  std::string At(const std::string& relative) { return home_.Root() + "/" + relative; }

  test::TempHome home_;
  // The user's own pictures and download folders, as user-dirs.dirs would name them.
  const bool named_ = [this] {
    posix::UserFolders f = home_.Folders();
    f.pictures = home_.Root() + "/home/Bilder";
    f.download = home_.Root() + "/home/Downloads";
    posix::OverrideUserFolders(f);
    return true;
  }();
  PosixServices posix_;
  std::unique_ptr<FrontEnd> front_ = MakeHeadlessFrontEnd(posix_.fs, posix_.paths);
  NotingDialogs dialogs_;
  Platform platform_{posix_.fs,       front_->Loop(),         front_->Windows(),
                     dialogs_,        front_->ShellService(), front_->ClipboardService(),
                     posix_.settings, posix_.registry,        posix_.desktop,
                     posix_.paths,    front_->ClockService(), posix_.process,
                     posix_.encoding};
  Application app_{platform_, front_->script};
};

TEST_F(DialogFolders, StartInTheUsersFoldersThenWhereTheLastFileWasChosen) {
  // Nothing chosen yet: pictures start among the pictures, the rest among the downloads.
  SaveFileDialog(app_, nullptr, "文件另存为", "文件列表.txt", kFilterText);
  OpenFileDialog(app_, nullptr, "打开图像", "", kFilterPictures);
  SaveFileDialog(app_, nullptr, "截图", "截图.jpg", kFilterPictures);
  // A cancelled dialog leaves nothing to remember.
  EXPECT_EQ(dialogs_.started, (std::vector<std::string>{At("home/Downloads/"), At("home/Bilder/"),
                                                        At("home/Bilder/")}));

  dialogs_.started.clear();
  dialogs_.answer = At("elsewhere/page.mht");
  EXPECT_EQ(SaveFileDialog(app_, nullptr, "保存网页", "a.mht", kFilterAll), dialogs_.answer);
  dialogs_.answer = "";
  SaveFileDialog(app_, nullptr, "图像另存为", "b.jpg", kFilterPictures);
  OpenFileDialog(app_, nullptr, "打开网页", "", kFilterPages);
  // A folder the caller names comes first (the gallery's listed folder).
  OpenFileDialog(app_, nullptr, "打开图像", At("trip/"), kFilterPictures);
  EXPECT_EQ(dialogs_.started, (std::vector<std::string>{At("home/Downloads/"), At("elsewhere/"),
                                                        At("elsewhere/"), At("trip/")}));

  // The folder last used is gone: back to the user's folders, never the working folder.
  std::filesystem::remove_all(At("elsewhere"));
  dialogs_.started.clear();
  OpenFileDialog(app_, nullptr, "打开网页", At("missing/"), kFilterPages);
  EXPECT_EQ(dialogs_.started, std::vector<std::string>{At("home/Downloads/")});
}

TEST(DownloadFileName, TheTypedNameCleanedElseTheAddresssOwn) {
  EXPECT_EQ(DownloadFileName("a:b*c<d>e|f?g\\h/i.jpg", "http://h/x.png"),
            "a：b，c[d]eIf？gh i.jpg");
  EXPECT_EQ(DownloadFileName("  padded.zip  ", "http://h/x"), "padded.zip");
  // Nothing usable typed: the address's last part without its query, else a page name.
  for (const char* typed : {"", "   ", ".", "..", "\\"}) {
    EXPECT_EQ(DownloadFileName(typed, "http://h/dir/file.zip?token=1#top"), "file.zip") << typed;
    EXPECT_EQ(DownloadFileName(typed, "http://h/dir/"), "index.html") << typed;
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
