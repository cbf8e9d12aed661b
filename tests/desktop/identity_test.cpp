// SPDX-License-Identifier: GPL-3.0-or-later
// The program as the desktop sees it: the gallery and the browser belong to the
// application of the program's id (window class included), carry its icon, name every
// picture button to a screen reader by its tooltip and show an icon the theme has; and
// Ctrl+Q typed in the browser ends the whole program. It finds its web process extension
// and icons beside it in the build tree, under the prefix of an installed copy, and never
// takes the build's code for a copy installed elsewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "desktop/desktop_browser.h"
#include "platform/application_id.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/program_files.h"
#include "support/test_env.h"

namespace tv::test {
namespace {

void ExpectProgramWindow(Form& form) {
  SCOPED_TRACE(form.Name());
  GtkWindow* window = ToplevelOf(&form);
  ASSERT_NE(window, nullptr);
  GtkApplication* app = gtk_window_get_application(window);
  ASSERT_NE(app, nullptr);
  EXPECT_STREQ(g_application_get_application_id(G_APPLICATION(app)), kApplicationId);
  // A second start must stay a program of its own.
  EXPECT_TRUE(g_application_get_flags(G_APPLICATION(app)) & G_APPLICATION_NON_UNIQUE);
  const WindowClass wm_class = ClassOf(gtk_widget_get_window(GTK_WIDGET(window)));
  ASSERT_TRUE(wm_class.found);
  EXPECT_EQ(wm_class.instance, kApplicationId);
  EXPECT_EQ(wm_class.klass, kApplicationId);

  // The window icon, found although the program is not installed.
  GtkIconTheme* theme = gtk_icon_theme_get_default();
  EXPECT_STREQ(gtk_window_get_default_icon_name(), kApplicationId);
  EXPECT_TRUE(gtk_icon_theme_has_icon(theme, kApplicationId));
  // Drawn at every size the window asks for, so that the SVG renderer is never loaded.
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    GtkIconInfo* info =
        gtk_icon_theme_lookup_icon(theme, kApplicationId, size, GtkIconLookupFlags(0));
    ASSERT_NE(info, nullptr) << size;
    EXPECT_TRUE(g_str_has_suffix(gtk_icon_info_get_filename(info), ".png"))
        << size << ": " << gtk_icon_info_get_filename(info);
    g_object_unref(info);
  }

  auto* native = dynamic_cast<GtkNativeWindow*>(form.Native());
  ASSERT_NE(native, nullptr);
  int pictures = 0;
  for (const auto& c : form.Controls()) {
    if (c->Kind() != ControlKind::Button || !c->Caption().empty()) continue;
    ++pictures;
    GtkWidget* widget = native->WidgetOf(*c);
    ASSERT_NE(widget, nullptr) << c->FullName();
    EXPECT_STREQ(atk_object_get_name(gtk_widget_get_accessible(widget)), c->ToolTipText().c_str())
        << c->FullName();
    EXPECT_TRUE(gtk_icon_theme_has_icon(theme, c->Picture.c_str()))
        << c->FullName() << ": " << c->Picture;
  }
  EXPECT_GT(pictures, 10);
}

using ProgramIdentity = DesktopBrowserTest;

TEST_F(ProgramIdentity, TheWindowsAreTheProgramsAndCtrlQInTheBrowserEndsIt) {
  Run({[&] { OpenBrowser(); },
       [&] {
         ASSERT_TRUE(FirstTab());
         Pause(200);
         ExpectProgramWindow(Gallery());
         ExpectProgramWindow(Frame());
         EXPECT_STREQ(g_get_prgname(), kApplicationId);
         gtk_window_present(ToplevelOf(&Frame()));
         Pause(200);
         MovePointer(CentreOf(Frame(), *Frame().FindControl("Pict")));
         // The key goes to the browser, not to the gallery, whose menu has Ctrl+Q too.
         ASSERT_TRUE(WaitUntil([&] { return gtk_window_is_active(ToplevelOf(&Frame())); }));
         PressCtrlKey("q");
         // The run ends here; the guard would close the gallery after 20 s otherwise.
       }});
  EXPECT_TRUE(State().exit_flag);
}

const std::string kBuild = std::filesystem::path(TV_PROGRAM).parent_path().string();

// The extension and the icons beside the build for programs of the build tree (test
// programs live deeper in it), and under the prefix of an installed copy.
TEST(ProgramFiles, TheBuildsFilesOnlyForTheBuildTree) {
  EXPECT_EQ(ExtensionFolder(TV_PROGRAM), kBuild + "/webext");
  EXPECT_EQ(ExtensionFolder(kBuild + "/tests/a_test"), kBuild + "/webext");
  EXPECT_EQ(IconFolder(TV_PROGRAM), kBuild + "/share/icons");
  TempHome home;
  const std::string prefix = home.Root() + "/prefix";
  const std::string installed = ExtensionFolder(prefix + "/bin/tessaview");
  EXPECT_EQ(installed.rfind(prefix + "/", 0), 0u) << installed;
  EXPECT_EQ(installed.find(".."), std::string::npos) << installed;
  EXPECT_EQ(IconFolder(prefix + "/bin/tessaview"), "");
  std::filesystem::create_directories(prefix + "/share/icons/hicolor");
  EXPECT_EQ(IconFolder(prefix + "/bin/tessaview"), prefix + "/share/icons");
}

}  // namespace
}  // namespace tv::test
