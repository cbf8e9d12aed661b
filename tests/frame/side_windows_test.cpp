// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's source file names, the source window's find and the download dialog's
// file names.
#include <gtest/gtest.h>

#include "download/form_download.h"
#include "host/form_html.h"
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

}  // namespace
}  // namespace tv::test
