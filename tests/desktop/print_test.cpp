// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the gallery on the desktop: printing and page set-up ask with their
// dialogs, and the preview is printed to a PDF file that the desktop's PDF viewer opens,
// or, with no viewer, a message says that there is none.
#include "desktop/fake_apps.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;
using test::DialogCatcher;
using test::FakeApps;

TEST_F(DesktopGalleryTest, PrintSetupAndPreviewAskOrOpenThePdfViewer) {
  FakeApps apps;
  ASSERT_TRUE(apps.Usable());
  GAppInfo* system_viewer = g_app_info_get_default_for_type("application/pdf", FALSE);
  if (system_viewer) g_object_unref(system_viewer);
  const std::string previewed = TempPath("previewed.pdf");
  std::vector<std::string> print, setup, without, with;
  bool viewer_known = false;
  Run({[&] {
    Settle();
    {
      DialogCatcher catcher;
      Gallery().Print();
      print = catcher.seen;
    }
    {
      DialogCatcher catcher;
      Gallery().PrintSetup();
      setup = catcher.seen;
    }
    if (!system_viewer) {
      DialogCatcher catcher;
      Gallery().PrintPreview();
      Pause(300);
      without = catcher.seen;
    }
    apps.Add("probe-pdf.desktop", "cp %f " + previewed, "application/pdf;");
    apps.Associate("application/pdf", "probe-pdf.desktop", "probe-pdf.desktop;");
    viewer_known = FakeApps::WaitUntil(
        [] { return FakeApps::DefaultFor("application/pdf") == "probe-pdf.desktop"; });
    DialogCatcher catcher;
    Gallery().PrintPreview();
    WaitUntil([&] { return std::filesystem::exists(previewed); });
    Pause(200);  // the copy may still be under way
    with = catcher.seen;
    CloseBox();
  }});
  EXPECT_EQ(print, std::vector<std::string>{"GtkPrintUnixDialog"});
  EXPECT_EQ(setup, std::vector<std::string>{"GtkPageSetupUnixDialog"});
  if (!system_viewer) {
    EXPECT_EQ(without,
              std::vector<std::string>{
                  "GtkMessageDialog: 没有可以显示打印预览的程序（PDF 阅读器），无法预览。"});
  }
  ASSERT_TRUE(viewer_known);
  EXPECT_TRUE(with.empty()) << with.front();
  EXPECT_EQ(test::ReadFile(previewed).substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace tv
