// SPDX-License-Identifier: GPL-3.0-or-later
// What a page cannot do unasked: save a file without the download dialog (its windows
// are counted with the page's clicks); and the tab whose engine hangs offers to stop it.
#include <gtest/gtest.h>

#include "download/form_download.h"
#include "platform/headless/headless_view.h"
#include "program/browser_state.h"
#include "support/browser_rig.h"

namespace tv::test {
namespace {

FormDownload* OpenDialog(BrowserRig& rig) {
  return dynamic_cast<FormDownload*>(rig.app.FindWindow("FormDownload"));
}

TEST(PageGuards, APageDownloadWaitsForTheDialogAndStaysInItsFolder) {
  BrowserRig rig;
  FormWeb& page = *rig.tabs().CurrentPage();
  HtmlViewEvents& e = page.Web->View()->events;
  ASSERT_TRUE(e.PageDownload);
  e.PageDownload(1, "http://127.0.0.1/a", "../../.bash\nrc/x");
  FormDownload* dialog = OpenDialog(rig);
  ASSERT_NE(dialog, nullptr);
  const std::string folder = rig.platform.paths.DownloadFolder();
  EXPECT_EQ(dialog->Text1->Text(), folder);
  EXPECT_EQ(dialog->Text2->Text(), ".. .. .bash rc x");
  EXPECT_FALSE(dialog->address_box->Enabled());
  // While it is open the page's next downloads are dropped, and the status row says so.
  e.PageDownload(2, "http://127.0.0.1/b", "b.sh");
  EXPECT_EQ(rig.output.str(), "page download 2 dropped\n");
  EXPECT_NE(page.status[0].Caption().find("b.sh"), std::string::npos);
  dialog->Download();
  EXPECT_EQ(rig.output.str(),
            "page download 2 dropped\npage download 1 to " + folder + ".. .. .bash rc x\n");
  rig.platform.loop.DoEvents();
  EXPECT_EQ(OpenDialog(rig), nullptr);

  // Closing the dialog drops it; so does closing the page while the dialog is open.
  rig.output.str("");
  e.PageDownload(3, "data:,x", "");
  rig.app.Unload(*OpenDialog(rig));
  e.PageDownload(4, "http://127.0.0.1/d", "d.bin");
  ASSERT_NE(OpenDialog(rig), nullptr);
  EXPECT_EQ(OpenDialog(rig)->Text2->Text(), "d.bin");
  // Another page has a dialog of its own; closing a page closes its dialog with it.
  rig.frame->NewTab();
  rig.tabs().CurrentPage()->Web->View()->events.PageDownload(5, "http://127.0.0.1/e",
                                                             "/etc/passwd");
  rig.app.Unload(page);
  rig.platform.loop.DoEvents();
  ASSERT_NE(OpenDialog(rig), nullptr);
  EXPECT_EQ(OpenDialog(rig)->Text2->Text(), "etc passwd");
  EXPECT_EQ(rig.output.str(), "page download 3 dropped\n");
}

TEST(PageGuards, AHungPageSaysSoInItsTabAndCanBeStopped) {
  BrowserRig rig;
  FormWeb& page = *rig.tabs().CurrentPage();
  HtmlViewEvents& e = page.Web->View()->events;
  EXPECT_FALSE(page.stop_button->Visible());
  e.ProcessHung(true);
  EXPECT_TRUE(page.hung_notice->Visible());
  EXPECT_TRUE(page.stop_button->Visible());
  e.ProcessHung(false);  // it answers again by itself
  EXPECT_FALSE(page.stop_button->Visible());
  e.ProcessHung(true);
  page.StopHungPage();
  EXPECT_EQ(rig.output.str(), "end process\n");
  EXPECT_FALSE(page.stop_button->Visible());
  e.ProcessEnded();
  e.ProcessEnded();  // a later end the user did not ask for says so
  EXPECT_EQ(rig.output.str(), std::string("end process\nshown: ") + kProcessStoppedText +
                                  "\nshown: " + kProcessEndedText + "\n");
}

}  // namespace
}  // namespace tv::test
