// The browser's status row and address row in the real window: every label shows its
// whole text inside the window, and 转到 is not covered by the search box, at the default
// size and at 1024 x 768.
#include <functional>
#include <vector>

#include "desktop/desktop_browser.h"
#include "webpics/form_web.h"

namespace tv {
namespace {

// The first widget under `root` that `match` accepts.
GtkWidget* FindWidget(GtkWidget* root, const std::function<bool(GtkWidget*)>& match) {
  if (match(root)) return root;
  if (!GTK_IS_CONTAINER(root)) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(root));
  GtkWidget* found = nullptr;
  for (GList* l = children; l && !found; l = l->next)
    found = FindWidget(GTK_WIDGET(l->data), match);
  g_list_free(children);
  return found;
}

GtkWidget* LabelWith(GtkWidget* root, const std::string& text) {
  return FindWidget(root, [&](GtkWidget* w) {
    return GTK_IS_LABEL(w) && gtk_widget_get_mapped(w) && text == gtk_label_get_text(GTK_LABEL(w));
  });
}

// What is wrong with how `w` shows: cut short, or reaching past the window's edge.
std::string Fault(GtkWidget* w, const std::string& what) {
  if (!w) return what + ": not shown";
  GtkWidget* top = gtk_widget_get_toplevel(w);
  int natural_w = 0, natural_h = 0, x = 0, y = 0;
  gtk_widget_get_preferred_width(w, nullptr, &natural_w);
  gtk_widget_get_preferred_height(w, nullptr, &natural_h);
  gtk_widget_translate_coordinates(w, top, 0, 0, &x, &y);
  const int width = gtk_widget_get_allocated_width(w), height = gtk_widget_get_allocated_height(w);
  std::string fault;
  if (width < natural_w) fault += " narrower than its text";
  if (height < natural_h) fault += " lower than its text";
  if (x + width > gtk_widget_get_allocated_width(top) ||
      y + height > gtk_widget_get_allocated_height(top))
    fault += " past the window's edge";
  return fault.empty() ? "" : what + ":" + fault;
}

class BrowserLayoutTest : public test::DesktopBrowserTest {
 protected:
  // The faults of the status row and of 转到 as the window now shows them.
  std::vector<std::string> Faults() {
    FormWeb& page = *Browser().CurrentPage();
    page.Lab[2].SetCaption("图片总数：6001");
    page.Lab[8].SetCaption("  自动下载图片 200");
    Pause(300);
    GtkWidget* top = GTK_WIDGET(ToplevelOf(&Frame()));
    std::vector<std::string> faults;
    for (int i : {2, 4, 6, 8}) {
      const std::string text = page.Lab[i].Caption();
      std::string fault = Fault(LabelWith(top, text), "Lab(" + std::to_string(i) + ") " + text);
      if (!fault.empty()) faults.push_back(fault);
    }
    GtkWidget* go = LabelWith(top, "转到");
    GtkWidget* button = go ? gtk_widget_get_ancestor(go, GTK_TYPE_BUTTON) : nullptr;
    if (std::string fault = Fault(button, "转到"); !fault.empty()) faults.push_back(fault);
    GtkWidget* search = FindWidget(top, [](GtkWidget* w) {
      return GTK_IS_ENTRY(w) && std::string(gtk_entry_get_text(GTK_ENTRY(w))) == "枫叶";
    });
    if (button && search) {
      int go_x = 0, search_x = 0, y = 0;
      gtk_widget_translate_coordinates(button, top, 0, 0, &go_x, &y);
      gtk_widget_translate_coordinates(gtk_widget_get_parent(search), top, 0, 0, &search_x, &y);
      if (go_x + gtk_widget_get_allocated_width(button) > search_x)
        faults.push_back("转到: under the search box");
    }
    return faults;
  }
};

TEST_F(BrowserLayoutTest, StatusLabelsAndGoShowWholeAtTheDefaultSizeAnd1024x768) {
  std::vector<std::string> at_default, at_1024;
  Run({[&] { OpenBrowser(); },
       [&] {
         ASSERT_TRUE(FirstTab());
         Settle();
         Pause(500);
         at_default = Faults();
         gtk_window_resize(ToplevelOf(&Frame()), 1024, 768);
         Pause(500);
       },
       [&] {
         at_1024 = Faults();
         Frame().FindControl("mnuFileExit")->FireClick();
         CloseBox();
       }});
  EXPECT_EQ(at_default, std::vector<std::string>{});
  EXPECT_EQ(at_1024, std::vector<std::string>{});
}

}  // namespace
}  // namespace tv
