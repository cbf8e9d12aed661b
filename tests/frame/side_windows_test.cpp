// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's source file names, the source window's find and the fixed addresses.
#include <gtest/gtest.h>

#include "frame/address_text.h"
#include "frame/form_explore.h"
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
  EXPECT_EQ(ProposedSourceName(rig, "a/b:c - Lumbra看图浏览器"), "save: 保存源文件: a b：c.txt\n");
  // Too short to hold the suffix: the caption itself, else a fixed name.
  EXPECT_EQ(ProposedSourceName(rig, " Lumbra看图浏览器"),
            "save: 保存源文件: Lumbra看图浏览器.txt\n");
  EXPECT_EQ(ProposedSourceName(rig, ""), "save: 保存源文件: 源文件.txt\n");
  EXPECT_EQ(ProposedSourceName(rig, "  - Lumbra看图浏览器"), "save: 保存源文件: 源文件.txt\n");
}

TEST(SourceFind, IgnoresCaseCountsCharactersAndStartsEachSearchAtTheBeginning) {
  EXPECT_EQ(FindIgnoringCase("标题<BODY>body", "body"), 3);
  EXPECT_EQ(FindIgnoringCase("<body>", ""), -1);
  EXPECT_EQ(FindIgnoringCase("ab", "abc"), -1);
  // A new search starts at the beginning; a miss keeps the selection.
  BrowserRig rig;
  FormHtml& window = ShowSourceWindow(rig.app, "<p>one</p><P>two</P>", "a", "t");
  const auto find = [&](const char* text) {
    rig.front->script.answers.push_back(text);
    window.FindInSource();
    return std::pair<int, int>{window.Text1->SelStart(), window.Text1->SelLength()};
  };
  EXPECT_EQ(find("p>"), (std::pair{1, 2}));
  EXPECT_EQ(find("TWO"), (std::pair{13, 3}));
  EXPECT_EQ(find("three"), (std::pair{13, 3}));
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
