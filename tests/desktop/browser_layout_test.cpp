// SPDX-License-Identifier: GPL-3.0-or-later
// The status rows of the gallery and of the browser, and the browser's address row, in
// the real windows: every label shows its whole text inside the window, and 转到 is not
// covered by the search box, at the default size and at 1024 x 768.
#include <functional>
#include <vector>

#include "desktop/desktop_browser.h"
#include "desktop/widget_faults.h"
#include "webpics/form_web.h"

namespace tv {
namespace {

using test::Fault;
using test::LabelWith;

// The faults of the status labels `indices` of `form` as its window now shows them.
std::vector<std::string> StatusFaults(Form& form, ControlArray& status, std::vector<int> indices) {
  GtkWidget* top = GTK_WIDGET(ToplevelOf(&form));
  std::vector<std::string> faults;
  for (int i : indices) {
    const std::string text = status[i].Caption();
    std::string fault = Fault(LabelWith(top, text), "Lab(" + std::to_string(i) + ") " + text);
    if (!fault.empty()) faults.push_back(fault);
  }
  return faults;
}

class BrowserLayoutTest : public test::DesktopBrowserTest {
 protected:
  // The faults of the status row and of 转到 as the window now shows them.
  std::vector<std::string> Faults() {
    FormWeb& page = *Browser().CurrentPage();
    page.status[2].SetCaption("图片总数：6001");
    page.status[8].SetCaption("  自动下载图片 200");
    Pause(300);
    GtkWidget* top = GTK_WIDGET(ToplevelOf(&Frame()));
    std::vector<std::string> faults = StatusFaults(Frame(), page.status, {2, 4, 6, 8});
    GtkWidget* go = LabelWith(top, "转到");
    GtkWidget* button = go ? gtk_widget_get_ancestor(go, GTK_TYPE_BUTTON) : nullptr;
    if (std::string fault = Fault(button, "转到"); !fault.empty()) faults.push_back(fault);
    GtkWidget* search = test::FindWidget(top, [](GtkWidget* w) {
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
  std::vector<std::string> at_default, at_1024, gallery_default, gallery_1024;
  const auto gallery_faults = [&] {
    return StatusFaults(Gallery(), Gallery().status, {0, 2, 4, 6});
  };
  Run({[&] {
         Settle();
         Pause(300);
         gallery_default = gallery_faults();
         gtk_window_resize(ToplevelOf(&Gallery()), 1024, 768);
         Pause(500);
       },
       [&] {
         gallery_1024 = gallery_faults();
         OpenBrowser();
       },
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
  EXPECT_EQ(gallery_default, std::vector<std::string>{});
  EXPECT_EQ(gallery_1024, std::vector<std::string>{});
  EXPECT_EQ(at_default, std::vector<std::string>{});
  EXPECT_EQ(at_1024, std::vector<std::string>{});
}

}  // namespace
}  // namespace tv
