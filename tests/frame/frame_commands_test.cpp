// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's own help page and the commands whose desktop service may be missing.
#include <gtest/gtest.h>

#include "frame/form_explore.h"
#include "frame/help_page.h"
#include "host/html_view.h"
#include "program/browser_state.h"
#include "support/browser_rig.h"
#include "support/desktop_shell.h"
#include "webpics/form_web.h"

namespace tv::test {
namespace {

TEST(HelpPage, ShowsFoldersAsTextAndKeepsTheUsersPage) {
  const std::string page =
      HelpPageText("/home/a<script>x</script>&\"b/", "/home/<b>下载</b>/Tessaview/");
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_NE(page.find("<code>/home/a&lt;script&gt;x&lt;/script&gt;&amp;&quot;b/</code>"),
            std::string::npos);
  EXPECT_NE(page.find("<code>/home/&lt;b&gt;下载&lt;/b&gt;/Tessaview/</code>"), std::string::npos);

  // Written when missing, kept when present, opened in a new tab.
  BrowserRig rig;
  Platform& p = rig.platform;
  const std::string path = p.paths.ProgramFolder() + kHelpPageName;
  ASSERT_FALSE(p.fs.IsFile(path));
  rig.frame->FindControl("mnuHelp")->FireClick();
  std::string text;
  ASSERT_TRUE(p.fs.ReadWhole(path, text));
  EXPECT_EQ(text, HelpPageText(p.paths.ProgramFolder(), p.paths.DownloadFolder()));
  EXPECT_EQ(rig.tabs().TabCount, 2);

  // A page the user changed stays as it is.
  ASSERT_TRUE(p.fs.WriteWhole(path, "<html><title>mine</title></html>"));
  rig.frame->FindControl("mnuHelp")->FireClick();
  ASSERT_TRUE(p.fs.ReadWhole(path, text));
  EXPECT_EQ(text, "<html><title>mine</title></html>");
  EXPECT_EQ(rig.tabs().TabCount, 3);
}

TEST(MissingServices, EachSaysWhatTheDesktopLacks) {
  DesktopShell shell;  // without any of the services
  BrowserRig rig(&shell);
  ASSERT_NE(rig.frame, nullptr);
  const auto run = [&](const char* item) {
    rig.output.str("");
    rig.frame->FindControl(item)->FireClick();
    return rig.output.str();
  };
  for (const char* item :
       {"bohao", "internet", "LoadNotepad", "LoadDraw", "FmyPC", "Femail", "lianxi", "Command6"}) {
    EXPECT_EQ(run(item).rfind("message: ", 0), 0u) << item;
  }
  // A second copy and the monitor switch need no word when they cannot be had.
  for (const char* quiet : {"LoadMe", "CloseScreen", "Tlimit", "setnavigation"})
    EXPECT_EQ(run(quiet), "") << quiet;
}

TEST(FrameCommands, OnlyAddressesGoToTheOtherBrowser) {
  EXPECT_TRUE(IsBrowserAddress("HTTPS://a.b/?q=<script>&x=\"1\""));
  EXPECT_TRUE(IsBrowserAddress("file:///home/a%20b/p.htm"));
  for (const char* no : {"/home/a/run.sh", "about:blank", "http://", "javascript:alert(1)", ""})
    EXPECT_FALSE(IsBrowserAddress(no)) << no;

  BrowserRig rig;
  rig.frame->address_box->SetText("/usr/bin/xterm");
  rig.frame->FindControl("OpenUrlStyle")->FireClick();
  EXPECT_EQ(rig.output.str().find("shell:"), std::string::npos);
}

}  // namespace
}  // namespace tv::test
