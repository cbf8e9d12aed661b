// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's source file names, the source window's find, the download dialog's file
// names, the input filter and the fixed addresses.
#include <gtest/gtest.h>

#include "download/form_download.h"
#include "frame/address_text.h"
#include "frame/form_explore.h"
#include "frame/input_filter.h"
#include "host/form_html.h"
#include "platform/control.h"
#include "support/browser_rig.h"

namespace tv::test {
namespace {

// The name the source command proposes for a frame caption.
std::string ProposedSourceName(BrowserRig& rig, const std::string& caption) {
  rig.frame->SetCaption(caption);
  rig.output.str("");
  rig.front->script.answers.push_back(std::nullopt);  // the dialog is cancelled
  rig.frame->SavePageSource();
  return rig.output.str();
}

TEST(SourceNames, TheCaptionLosesItsLastFourteenCharactersAndNeverLeavesANameless) {
  BrowserRig rig;
  EXPECT_EQ(ProposedSourceName(rig, "Example - Lumbra看图浏览器"),
            "save: 保存源文件: Example.txt\n");
  EXPECT_EQ(ProposedSourceName(rig, "a/b:c - Lumbra看图浏览器"), "save: 保存源文件: a b：c.txt\n");
  // Too short to hold the suffix: the caption itself, else a fixed name.
  EXPECT_EQ(ProposedSourceName(rig, " Lumbra看图浏览器"),
            "save: 保存源文件: Lumbra看图浏览器.txt\n");
  EXPECT_EQ(ProposedSourceName(rig, "12345678901234"), "save: 保存源文件: 12345678901234.txt\n");
  EXPECT_EQ(ProposedSourceName(rig, ""), "save: 保存源文件: 源文件.txt\n");
  EXPECT_EQ(ProposedSourceName(rig, "  - Lumbra看图浏览器"), "save: 保存源文件: 源文件.txt\n");
}

TEST(SourceFind, IgnoresCaseAndCountsCharacters) {
  EXPECT_EQ(FindIgnoringCase("<html><body>", "BODY"), 7);
  EXPECT_EQ(FindIgnoringCase("标题<BODY>body", "body"), 3);
  EXPECT_EQ(FindIgnoringCase("<body>", "table"), -1);
  EXPECT_EQ(FindIgnoringCase("<body>", ""), -1);
  EXPECT_EQ(FindIgnoringCase("ab", "abc"), -1);
}

TEST(SourceFind, ANewSearchStartsAtTheBeginningAndAMissKeepsTheSelection) {
  BrowserRig rig;
  FormHtml& window = ShowSourceWindow(rig.app, "<p>one</p><P>two</P>", "a", "t");
  rig.front->script.answers.push_back("p>");
  window.FindInSource();
  EXPECT_EQ(window.Text1->SelStart(), 1);
  EXPECT_EQ(window.Text1->SelLength(), 2);
  rig.front->script.answers.push_back("TWO");
  window.FindInSource();
  EXPECT_EQ(window.Text1->SelStart(), 13);
  rig.front->script.answers.push_back("three");
  window.FindInSource();
  EXPECT_EQ(window.Text1->SelStart(), 13);
  EXPECT_EQ(window.Text1->SelLength(), 3);
}

TEST(DownloadNames, TheFileNameIsWhatFollowsTheLastSlash) {
  EXPECT_EQ(FileNameOfAddress("http://a.b/dir/file.zip"), "file.zip");
  EXPECT_EQ(FileNameOfAddress("http://a.b/dir/"), "");
  EXPECT_EQ(FileNameOfAddress("no-slash"), "no-slash");
  EXPECT_EQ(FileNameOfAddress("http://a.b/x?y=1/2"), "2");
}

TEST(InputFilter, SwallowsExactlyTheSevenMessages) {
  int passed = 0;
  for (uint32_t m = 0; m < 0x1000; ++m) passed += !FilterSwallows(m);
  EXPECT_EQ(passed, 0x1000 - 7);
  for (uint32_t m : {0x020Au, 0x007Bu, 0x00C7u, 0x0300u, 0x0301u, 0x0302u, 0x0303u}) {
    EXPECT_TRUE(FilterSwallows(m)) << m;
  }
  EXPECT_FALSE(FilterSwallows(0x0100));  // key down
  EXPECT_FALSE(FilterSwallows(0x0205));  // right button up: tab menus still open
}

TEST(Addresses, LocalHostsPortsAndSchemesAreAddressesEverythingElseASearch) {
  for (const char* address :
       {"localhost", "LOCALHOST", "localhost/", "localhost:8080", "localhost:8080/x.htm",
        "localhost?q=1", "127.0.0.1", "127.0.0.1:8080/a b.htm", "[::1]", "[::1]:8080",
        "[::1]:8080/x", "[fe80::1]/x", "http://localhost:8080/", "http:intranet", "https://wiki",
        "file:///home/me/page.htm", "FILE:/tmp/x", "cats.jpg", "about:blank"}) {
    EXPECT_TRUE(CanBeAddress(address)) << address;
  }
  for (const char* phrase : {"", "cats", "hello world", "localhostess", "localhost:", "localhost:0",
                             "localhost:65536", "localhost:80a", "localhost stuff", "[::1", "[]",
                             "[xyz]:80", "[::1]x", "[::1]:", "mailto", "httpcats", "枫叶"}) {
    EXPECT_FALSE(CanBeAddress(phrase)) << phrase;
  }
}

}  // namespace
}  // namespace tv::test
