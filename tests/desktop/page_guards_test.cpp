// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile pages of the test's own loopback server in the real browser: attachments save
// nothing before the download dialog's 下载, a page opening windows in a loop stops at a
// hundred, a hung page says so in its tab and can be stopped while the rest goes on.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iterator>
#include <set>
#include <string>

#include "desktop/desktop_browser.h"
#include "desktop/program_run.h"
#include "desktop/xtest_input.h"
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
  // A page's script result as text, "" when it gave none.
  std::string EvalIn(HtmlView& view, const std::string& code) {
    return RunScript(WEBKIT_WEB_VIEW(WebViewWidget(&view)), code).value_or("");
  }
  // A tab the frame opens on `path` of the server; its page runs its own scripts.
  FormWeb& OpenWithScripts(const std::string& path) {
    Browser().Pop = 0;
    Frame().LoadNewForm(server_.Url(path));
    Browser().Pop = 1;
    return *Browser().CurrentPage();
  }
  FormDownload* Dialog() { return dynamic_cast<FormDownload*>(App().FindWindow("FormDownload")); }
  std::string Home() { return App().Services().paths.HomeFolder(); }
  test::LoopbackServer server_;
};

// One run: the attachments, then a hung page, then a page opening windows unasked, after
// which Ctrl+Q must still end the program at once.
TEST_F(PageGuardsTest, AttachmentsWaitHungPagesStopAndAHundredWindowsEndThere) {
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
  server_.Page("/hang.htm",
               "<html><head><title>H</title></head><body>h<script>"
               "setTimeout(function(){while(true){}}, 300);</script></body></html>");
  server_.Page("/ok.htm", "<html><head><title>OK</title></head><body>ok</body></html>");
  server_.Page("/again.htm", "<html><head><title>A</title></head><body>again</body></html>");
  FormWeb* hung = nullptr;
  std::set<int> others;
  server_.Page("/b.htm", "<html><head><title>B</title></head><body>b</body></html>");
  server_.Page("/many.htm",
               "<html><head><title>M</title></head><body><script>"
               "for (var i = 0; i < 1000; i++) window.open('/b.htm', '_blank');"
               "</script></body></html>");
  std::chrono::steady_clock::time_point quit;
  guard_ms_ = 120000;  // the hung page alone takes ten seconds and more
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
         // The download may hold a part file beside its own for a moment: wait for the end.
         const auto added = [&] {
           std::set<std::string> files;
           std::ranges::set_difference(FilesUnder(Home()), before,
                                       std::inserter(files, files.begin()));
           return files;
         };
         EXPECT_TRUE(WaitUntil([&] { return added() == std::set<std::string>{folder + name}; }))
             << testing::PrintToString(added());
         // The page can ask again once the dialog is gone; closing it saves nothing.
         page->Web->View()->Refresh();
         ASSERT_TRUE(WaitUntil([&] { return Dialog() != nullptr; }));
         Dialog()->close_button->FireClick();
         Pause(1500);
         EXPECT_EQ(FilesUnder(Home()).size(), before.size() + 1);
       },
       [&] {
         // A hung page stalls its tab alone, and its stop lets the tab load again.
         others = test::WebProcesses();
         hung = &OpenWithScripts("/hang.htm");
         ASSERT_TRUE(WaitUntil([&] { return hung->Web->View()->Title() == "H"; }));
         EXPECT_FALSE(hung->hung_notice->Visible());
         // Untouched, the page's process answers nothing more: ten seconds on, its tab
         // says so.
         ASSERT_TRUE(WaitUntil([&] { return hung->hung_notice->Visible(); }, 16000));
         EXPECT_TRUE(hung->stop_button->Visible());
         // A tab the frame opens now loads and answers, as does the gallery.
         FormWeb& next = OpenWithScripts("/ok.htm");
         EXPECT_TRUE(WaitUntil([&] { return next.Web->View()->Title() == "OK"; }, 5000))
             << "a hung page stalled a tab the frame opened after it";
         EXPECT_EQ(EvalIn(*next.Web->View(), "6*7"), "42");
         EXPECT_EQ(Eval("6*7"), "42");
         EXPECT_FALSE(next.hung_notice->Visible());
         others.merge(test::WebProcesses());
         hung->stop_button->FireClick();
       },
       [&] {
         // Its process is gone, the tab says it was stopped, and it loads a page again.
         ASSERT_TRUE(WaitUntil([&] {
           return hung->Web->View()->DocumentHtml().find(kProcessStoppedText) != std::string::npos;
         }));
         EXPECT_FALSE(hung->hung_notice->Visible());
         // The views that shared it show the notice in a process of their own.
         const std::set<int> left = test::WebProcesses();
         EXPECT_FALSE(std::ranges::includes(left, others))
             << "stopping the page left its process running";
         hung->Web->View()->Navigate(server_.Url("/again.htm"));
         EXPECT_TRUE(WaitUntil([&] { return hung->Web->View()->Title() == "A"; }));
         EXPECT_EQ(EvalIn(*hung->Web->View(), "document.body.textContent"), "again");
       },
       [&] {
         // Last, as it ends the run: a page opening windows in a loop stops at a hundred.
         const int tabs = Browser().TabCount;
         FormWeb& many = OpenWithScripts("/many.htm");
         EXPECT_TRUE(WaitUntil([&] { return Browser().TabCount >= tabs + 101; }, 60000));
         Pause(2000);
         EXPECT_EQ(Browser().TabCount, tabs + 101) << "the page and its 100 windows";
         EXPECT_NE(many.status[0].Caption().find("100 个窗口"), std::string::npos)
             << many.status[0].Caption();
         gtk_window_present(ToplevelOf(&Frame()));
         ASSERT_TRUE(WaitUntil([&] { return gtk_window_is_active(ToplevelOf(&Frame())); }));
         quit = std::chrono::steady_clock::now();
         test::PressCtrlKey("q");
       }});
  EXPECT_TRUE(State().exit_flag);
  EXPECT_LT(std::chrono::steady_clock::now() - quit, std::chrono::seconds(10));
}

}  // namespace
}  // namespace tv
