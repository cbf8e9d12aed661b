// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile pages of the test's own loopback server in the real browser: attachments save
// nothing before the download dialog's 下载, a page opening windows in a loop stops at a
// hundred, a hung page says so in its tab and can be stopped while the rest goes on.
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>

#include "desktop/desktop_browser.h"
#include "download/form_download.h"
#include "support/loopback_server.h"
#include "webpics/form_web.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

// Every file under `folder`, by path, but for the program's and the engine's own folders.
std::set<std::string> FilesUnder(const std::string& folder) {
  std::set<std::string> found;
  std::error_code failed;
  for (auto it = fs::recursive_directory_iterator(folder, failed);
       !failed && it != fs::recursive_directory_iterator(); it.increment(failed)) {
    const std::string name = it->path().filename().string();
    if (it.depth() == 0 && (name == ".cache" || name == ".config" || name == ".local")) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_regular_file()) found.insert(it->path().string());
  }
  return found;
}

class PageGuardsTest : public test::DesktopBrowserTest {
 protected:
  FormDownload* Dialog() { return dynamic_cast<FormDownload*>(App().FindWindow("FormDownload")); }
  std::string Home() { return App().Services().paths.HomeFolder(); }
  test::LoopbackServer server_;
};

TEST_F(PageGuardsTest, AttachmentsWaitForTheDownloadDialogAndStayInItsFolder) {
  const char* const kNames[] = {"../../x", "/abs_cd", ".bashrc", "line\nbreak.sh", "dropped.sh"};
  std::string frames;
  for (int i = 0; i < 20; ++i) {
    const std::string path = "/file" + std::to_string(i);
    server_.Raw(path,
                "Content-Type: application/octet-stream\r\n"
                "Content-Disposition: attachment; filename=\"" +
                    std::string(kNames[i % 5]) + "\"\r\n",
                "#!/bin/sh\necho " + std::to_string(i) + "\n");
    frames += "<iframe src=\"" + path + "\"></iframe>";
  }
  server_.Page("/frames.htm", "<html><body>" + frames +
                                  "<a download=\"a.sh\" href=\"/file0\">"
                                  "link</a></body></html>");
  std::set<std::string> before;
  FormWeb* page = nullptr;
  const std::string folder = App().Services().paths.DownloadFolder();
  Run({[&] { OpenBrowser(); },
       [&] {
         ASSERT_TRUE(FirstTab());
         before = FilesUnder(Home());
         page = Browser().CurrentPage();
         page->Web->View()->Navigate(server_.Url("/frames.htm"));
         // One dialog for the page; the other answers are dropped, said in its status row.
         ASSERT_TRUE(WaitUntil([&] { return Dialog() != nullptr; }));
         EXPECT_TRUE(WaitUntil(
             [&] { return server_.Requests().size() >= 21 && !page->Web->View()->Busy(); }));
         Pause(1500);
         EXPECT_NE(page->status[0].Caption().find("已忽略"), std::string::npos)
             << page->status[0].Caption();
         EXPECT_EQ(FilesUnder(Home()), before) << "a page wrote a file unasked";
         FormDownload& dialog = *Dialog();
         EXPECT_EQ(dialog.Text1->Text(), folder);
         const std::string name = dialog.Text2->Text();
         EXPECT_EQ(name.find('/'), std::string::npos) << name;
         EXPECT_EQ(name.find('\n'), std::string::npos) << name;
         EXPECT_NE(name, "");
         dialog.download_button->FireClick();
         ASSERT_TRUE(WaitUntil([&] { return FilesUnder(Home()).size() == before.size() + 1; }));
         std::set<std::string> added;
         std::ranges::set_difference(FilesUnder(Home()), before,
                                     std::inserter(added, added.begin()));
         ASSERT_EQ(added.size(), 1u);
         const std::string written = *added.begin();
         EXPECT_EQ(fs::path(written).parent_path().string() + "/", folder);
         EXPECT_EQ(fs::path(written).filename().string(), name);
         // The page can ask again once the dialog is gone; closing it saves nothing.
         page->Web->View()->Refresh();
         ASSERT_TRUE(WaitUntil([&] { return Dialog() != nullptr; }));
         Dialog()->close_button->FireClick();
         Pause(1500);
         EXPECT_EQ(FilesUnder(Home()).size(), before.size() + 1);
       },
       [&] { CloseBox(); }});
}

}  // namespace
}  // namespace tv
