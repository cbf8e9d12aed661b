// SPDX-License-Identifier: GPL-3.0-or-later
// Tabs the frame opens share engine processes a few at a time: settings stay each tab's
// own, and a tab whose process is killed says so in itself alone while the other tabs go
// on; 刷新 opens its page again. Closed tabs leave nothing hidden behind on the frame: their
// labels are kept off the frame's surface (the toolkit would look past every hidden one
// whenever a sibling changes, so a page that once opened a thousand windows slowed every
// later tab), and the label a new tab takes over shows again where the strip lays it.
#include <signal.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "desktop/desktop_browser.h"
#include "desktop/program_run.h"
#include "platform/gtk/native_window.h"
#include "support/test_env.h"
#include "webpics/form_web.h"

namespace tv {
namespace {

constexpr int kTwipsPerPixel = 15;

int HiddenChildren(GtkWidget* surface) {
  int hidden = 0;
  GList* children = gtk_container_get_children(GTK_CONTAINER(surface));
  for (GList* l = children; l; l = l->next) hidden += !gtk_widget_get_visible(GTK_WIDGET(l->data));
  g_list_free(children);
  return hidden;
}

WebKitSettings* SettingsOf(FormWeb& page) {
  return webkit_web_view_get_settings(WEBKIT_WEB_VIEW(WebViewWidget(page.Web->View())));
}

class TabProcessesTest : public test::DesktopBrowserTest {
 protected:
  std::string Page(const std::string& name) {
    const std::string path = TempPath(name + ".htm");
    test::TempHome::WriteAt(path, "<html><head><title>" + name + "</title></head><body>" + name +
                                      " text</body></html>");
    return path;
  }
  GtkWidget* LabelWidget(int16_t slot) {
    auto* native = dynamic_cast<GtkNativeWindow*>(Frame().Native());
    Control* label = Frame().tab_labels.Find(slot);
    return native && label ? native->WidgetOf(*label) : nullptr;
  }
  bool Shows(FormWeb& page, const std::string& text) {
    return WaitUntil([&] {
      return !page.Web->View()->Busy() &&
             page.Web->View()->DocumentHtml().find(text) != std::string::npos;
    });
  }
};

TEST_F(TabProcessesTest, AKilledTabSaysSoAloneAndClosedTabsLeaveTheSurface) {
  GtkWidget* surface = nullptr;
  int hidden_before = 0;
  int16_t closed = -1;
  std::vector<FormWeb*> tabs;
  std::set<int> killed;
  Run({[&] { OpenBrowser(); },
       [&] {
         ASSERT_TRUE(FirstTab());
         tabs.push_back(Browser().CurrentPage());
         ASSERT_TRUE(WaitUntil([&] { return !tabs[0]->Web->View()->Busy(); }));
         const std::set<int> first = test::WebProcesses();
         // Seven tabs share the first tab's process; the eighth starts the next one.
         for (int i = 1; i <= 6; ++i) {
           Frame().LoadNewForm(Page("tab" + std::to_string(i)));
           tabs.push_back(Browser().CurrentPage());
           ASSERT_TRUE(Shows(*tabs.back(), "tab" + std::to_string(i) + " text"));
         }
         const std::set<int> before = test::WebProcesses();
         EXPECT_EQ(before, first) << "a tab the frame opened started a process of its own";
         Frame().LoadNewForm(Page("tab7"));
         tabs.push_back(Browser().CurrentPage());
         ASSERT_TRUE(Shows(*tabs.back(), "tab7 text"));
         for (int pid : test::WebProcesses()) {
           if (!before.count(pid)) killed.insert(pid);
         }
         ASSERT_FALSE(killed.empty()) << "the eighth tab shares a process with the first seven";

         // Settings are each tab's own, also between tabs of one process.
         const gboolean images = webkit_settings_get_auto_load_images(SettingsOf(*tabs[2]));
         const gboolean scripts =
             webkit_settings_get_enable_javascript_markup(SettingsOf(*tabs[2]));
         tabs[1]->Web->View()->SetDownloadControl(images ? 0x80 : 0x10);
         EXPECT_NE(webkit_settings_get_auto_load_images(SettingsOf(*tabs[1])), images);
         EXPECT_EQ(webkit_settings_get_auto_load_images(SettingsOf(*tabs[2])), images);
         EXPECT_EQ(webkit_settings_get_enable_javascript_markup(SettingsOf(*tabs[2])), scripts);

         for (int pid : killed) kill(pid, SIGKILL);
       },
       [&] {
         ASSERT_TRUE(Shows(*tabs[7], kProcessEndedText));
         for (int i = 1; i <= 6; ++i) {
           EXPECT_NE(tabs[i]->Web->View()->DocumentHtml().find("tab" + std::to_string(i) + " text"),
                     std::string::npos);
         }
         // The other tabs still load pages.
         tabs[2]->Web->View()->Navigate(Page("again"));
         EXPECT_TRUE(Shows(*tabs[2], "again text"));
         // 刷新 opens the killed tab's page again.
         tabs[7]->Web->View()->Refresh();
         EXPECT_TRUE(Shows(*tabs[7], "tab7 text"));
         EXPECT_NE(tabs[7]->Web->View()->LocationURL().find("tab7.htm"), std::string::npos);
         // Then the tabs are closed, all but the first, for the count of hidden children
         // with one tab.
         while (Browser().TabCount > 1) Frame().CloseCurrentTab();
       },
       [&] {
         surface = gtk_widget_get_parent(LabelWidget(0));
         ASSERT_NE(surface, nullptr);
         hidden_before = HiddenChildren(surface);
         for (int i = 1; i <= 5; ++i) Frame().LoadNewForm(Page("t" + std::to_string(i)));
         ASSERT_EQ(Browser().TabCount, 6);
         closed = Browser().TabOrder[5];
         while (Browser().TabCount > 1) Frame().CloseCurrentTab();
       },
       // The closed pages' own windows go once the program's loop has unloaded them.
       [&] {
         ASSERT_NE(surface, nullptr);
         EXPECT_EQ(HiddenChildren(surface), hidden_before);
         EXPECT_EQ(gtk_widget_get_parent(LabelWidget(closed)), nullptr);
         Frame().LoadNewForm(Page("Again"));
         ASSERT_EQ(Browser().TabCount, 2);
         const int16_t slot = Browser().TabOrder[1];
         Control& label = *Frame().tab_labels.Find(slot);
         GtkWidget* widget = LabelWidget(slot);
         ASSERT_TRUE(WaitUntil([&] { return label.Text() == "Again"; }));
         ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_mapped(widget); }));
         EXPECT_EQ(gtk_widget_get_parent(widget), surface);
         EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(widget)), "Again");
         int x = -1, y = -1, width = -1, height = -1;
         ASSERT_TRUE(gtk_widget_translate_coordinates(widget, surface, 0, 0, &x, &y));
         EXPECT_EQ(x, label.Left() / kTwipsPerPixel);
         EXPECT_EQ(y, label.Top() / kTwipsPerPixel);
         gtk_widget_get_size_request(widget, &width, &height);
         EXPECT_EQ(width, label.Width() / kTwipsPerPixel);
       },
       [&] { CloseBox(); }});
}

}  // namespace
}  // namespace tv
