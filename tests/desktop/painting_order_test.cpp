// SPDX-License-Identifier: GPL-3.0-or-later
// A window's surface paints its children in the order they were put, windows of their own
// included, while clicks go by the order of those windows. Controls hidden from the start
// get their widget only when first shown, and hidden labels leave the surface, yet each
// still paints in the order the controls were made: the folder panel shown after the
// start stays under the page, which takes the clicks there, and a text box shown again
// stays under the label laid over it.
// Message boxes speak the program's language: their one button reads "确定" whatever the
// system's language is, as 编辑 › 页面属性 shows it.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "desktop/desktop_gallery.h"
#include "gallery/frm_main.h"
#include "platform/gtk/gtk_dialogs.h"
#include "platform/gtk/native_window.h"

namespace tv {
namespace {

class Probe : public Form {
 public:
  explicit Probe(Platform& platform) : Form(platform, "Probe") {
    box = &Add(ControlKind::TextBox, "Box");
    box->Move(150, 150, 3000, 330);
    over = &Add(ControlKind::Label, "Over");
    over->Move(300, 150, 600, 330);
    over->SetCaption("over");
  }
  Control* box = nullptr;
  Control* over = nullptr;
};

// Where `widget` comes among the children of the surface that holds `sibling`; -1 when it
// is not one of them.
int PaintedAt(GtkWidget* widget, GtkWidget* sibling) {
  GtkWidget* surface = sibling ? gtk_widget_get_parent(sibling) : nullptr;
  if (!widget || !surface) return -1;
  GList* children = gtk_container_get_children(GTK_CONTAINER(surface));
  const int at = g_list_index(children, widget);
  g_list_free(children);
  return at;
}

using PaintingOrder = test::DesktopGalleryTest;

TEST_F(PaintingOrder, ControlsShownLaterPaintUnderTheOnesMadeAfterThem) {
  Run({[&] { Gallery().folder_panel_switch->SetValue(1); },
       [&] {
         Pause(200);
         auto* native = dynamic_cast<GtkNativeWindow*>(Gallery().Native());
         ASSERT_NE(native, nullptr);
         GtkWidget* page = native->WidgetOf(*Gallery().page_view);
         for (Control* c : {Gallery().drive_list, Gallery().folder_list}) {
           GtkWidget* w = native->WidgetOf(*c);
           ASSERT_NE(w, nullptr) << c->Name();
           EXPECT_TRUE(gtk_widget_get_mapped(w)) << c->Name();
           EXPECT_LT(PaintedAt(w, page), PaintedAt(page, page)) << c->Name();
         }

         Probe probe(App().Services());
         probe.Show();
         probe.box->SetVisible(false);
         probe.box->SetVisible(true);
         auto* probe_native = dynamic_cast<GtkNativeWindow*>(probe.Native());
         ASSERT_NE(probe_native, nullptr);
         GtkWidget* box = probe_native->WidgetOf(*probe.box);
         GtkWidget* over = probe_native->WidgetOf(*probe.over);
         EXPECT_TRUE(gtk_widget_get_visible(box));
         EXPECT_GE(PaintedAt(box, over), 0);
         EXPECT_LT(PaintedAt(box, over), PaintedAt(over, over));
       },
       [&] { Gallery().RequestClose(); }});
}

TEST(MessageBoxTest, TheOnlyButtonReadsOkInChinese) {
  ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
  ScriptHooks hooks;  // not scripted: the real box is shown
  GtkDialogs dialogs(hooks);
  for (bool about : {false, true}) {
    test::DialogCatcher catcher;
    if (about) {
      dialogs.About(nullptr, "关于", "Tessaview");
    } else {
      dialogs.MsgBox(nullptr, "标题：测试", MsgIcon::Information, "页面属性");
    }
    EXPECT_EQ(catcher.title, about ? "关于" : "页面属性");
    EXPECT_EQ(catcher.buttons, std::vector<std::string>{"确定(_O)"});
  }
}

}  // namespace
}  // namespace tv
