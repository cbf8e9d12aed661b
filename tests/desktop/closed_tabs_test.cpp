// SPDX-License-Identifier: GPL-3.0-or-later
// Closed tabs leave nothing hidden behind on the frame: their labels are kept off the
// frame's surface (the toolkit would look past every hidden one whenever a sibling
// changes, so a page that once opened a thousand windows slowed every later tab), and the
// label a new tab takes over shows again where the strip lays it, with its page's title.
#include <gtk/gtk.h>

#include <string>

#include "desktop/desktop_browser.h"
#include "frame/form_explore.h"
#include "platform/gtk/native_window.h"
#include "support/test_env.h"

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

class ClosedTabsTest : public test::DesktopBrowserTest {
 protected:
  std::string Page(const std::string& title) {
    const std::string path = TempPath(title + ".htm");
    test::TempHome::WriteAt(path,
                            "<html><head><title>" + title + "</title></head><body>x</body></html>");
    return path;
  }
  GtkWidget* LabelWidget(int16_t slot) {
    auto* native = dynamic_cast<GtkNativeWindow*>(Frame().Native());
    Control* label = Frame().tab_labels.Find(slot);
    return native && label ? native->WidgetOf(*label) : nullptr;
  }
};

TEST_F(ClosedTabsTest, TheirLabelsLeaveTheSurfaceAndComeBackForTheNextTab) {
  GtkWidget* surface = nullptr;
  int hidden_before = 0;
  int16_t closed = -1;
  Run({[&] { OpenBrowser(); },
       [&] {
         ASSERT_TRUE(FirstTab());
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
