// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the gallery on the desktop: printing and page set-up ask with their
// dialogs, and the preview is printed to a PDF file that the desktop's PDF viewer opens,
// or, with no viewer, a message says that there is none.
#include "desktop/fake_apps.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;
using test::FakeApps;

// Answers every dialog that comes up with Cancel, noting its kind and, for a message,
// its text.
class DialogCatcher {
 public:
  DialogCatcher() { timer_ = g_timeout_add(100, Poll, this); }
  ~DialogCatcher() { g_source_remove(timer_); }
  DialogCatcher(const DialogCatcher&) = delete;
  DialogCatcher& operator=(const DialogCatcher&) = delete;

  std::vector<std::string> seen;  // type name, then ": " and the text for messages

 private:
  static gboolean Poll(gpointer data) {
    auto* self = static_cast<DialogCatcher*>(data);
    GList* all = gtk_window_list_toplevels();
    for (GList* l = all; l; l = l->next) {
      GtkWidget* w = GTK_WIDGET(l->data);
      if (!GTK_IS_DIALOG(w) || !gtk_widget_get_mapped(w)) continue;
      std::string what = G_OBJECT_TYPE_NAME(w);
      if (GTK_IS_MESSAGE_DIALOG(w)) {
        gchar* text = nullptr;
        g_object_get(w, "text", &text, nullptr);
        what += std::string(": ") + (text ? text : "");
        g_free(text);
      }
      self->seen.push_back(what);
      gtk_dialog_response(GTK_DIALOG(w), GTK_RESPONSE_CANCEL);
    }
    g_list_free(all);
    return G_SOURCE_CONTINUE;
  }
  guint timer_ = 0;
};

TEST_F(DesktopGalleryTest, PrintAndPageSetupAskWithTheirDialogs) {
  std::vector<std::string> print, setup;
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
    CloseBox();
  }});
  EXPECT_EQ(print, std::vector<std::string>{"GtkPrintUnixDialog"});
  EXPECT_EQ(setup, std::vector<std::string>{"GtkPageSetupUnixDialog"});
}

TEST_F(DesktopGalleryTest, APreviewOpensInThePdfViewerOrSaysThereIsNone) {
  FakeApps apps;
  ASSERT_TRUE(apps.Usable());
  GAppInfo* system_viewer = g_app_info_get_default_for_type("application/pdf", FALSE);
  if (system_viewer) g_object_unref(system_viewer);
  const std::string previewed = TempPath("previewed.pdf");
  std::vector<std::string> without, with;
  bool viewer_known = false;
  Run({[&] {
    Settle();
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
