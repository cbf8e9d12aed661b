// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file never starts this program again, even where the desktop has it as the
// default picture handler: the next application for the type is chosen, and with none
// the open fails so the gallery can say so. The picture filter of the open and save dialogs shows
// exactly the names the folder listing takes, in any letter case.
#include <gtest/gtest.h>

#include "desktop/fake_apps.h"
#include "gallery/picture_name.h"
#include "platform/gtk/file_filter.h"
#include "platform/gtk/gio_handlers.h"
#include "platform/gtk/gio_shell.h"

namespace tv {
namespace {

using test::FakeApps;

std::string IdOf(GAppInfo* app) {
  std::string id = app && g_app_info_get_id(app) ? g_app_info_get_id(app) : "";
  if (app) g_object_unref(app);
  return id;
}

constexpr const char* kProbeType = "image/x-tessaview-probe";

TEST(DesktopHandlersTest, TheNextHandlerIsChosenWhenThisProgramIsTheDefault) {
  FakeApps apps;
  ASSERT_TRUE(apps.Usable());
  apps.Add("tessaview-open.desktop", "true %f", std::string(kProbeType) + ";");
  apps.Add("probe-viewer.desktop", "true %f", std::string(kProbeType) + ";");
  apps.Associate(kProbeType, "tessaview-open.desktop",
                 "tessaview-open.desktop;probe-viewer.desktop;");
  // The desktop itself would start this program.
  ASSERT_TRUE(FakeApps::WaitUntil(
      [] { return FakeApps::DefaultFor(kProbeType) == "tessaview-open.desktop"; }));
  EXPECT_EQ(IdOf(HandlerFor(kProbeType)), "probe-viewer.desktop");

  apps.Remove("probe-viewer.desktop");
  EXPECT_TRUE(FakeApps::WaitUntil([] {
    GAppInfo* app = HandlerFor(kProbeType);
    if (app) g_object_unref(app);
    return app == nullptr;
  })) << "this program was chosen for itself";
}

TEST(DesktopHandlersTest, OpeningAPictureStartsItsViewerAndNeverThisProgram) {
  FakeApps apps;
  ASSERT_TRUE(apps.Usable());
  test::TestHome home;
  const std::string picture = home.folder + "/a.jpg";
  const std::string opened = home.folder + "/opened.jpg";
  test::WriteSolidJpeg(picture, 8, 8);
  // Both are recommended for JPEG pictures, this program first and as the default.
  apps.Add("tessaview-open.desktop", "cp %f " + home.folder + "/wrong.jpg", "image/jpeg;");
  apps.Add("probe-viewer.desktop", "cp %f " + opened, "image/jpeg;");
  apps.Associate("image/jpeg", "tessaview-open.desktop",
                 "tessaview-open.desktop;probe-viewer.desktop;");
  ASSERT_TRUE(FakeApps::WaitUntil(
      [] { return FakeApps::DefaultFor("image/jpeg") == "tessaview-open.desktop"; }));

  ScriptHooks quiet;  // not scripted: the shell really starts the program
  GioShell shell(quiet);
  ASSERT_TRUE(shell.Open(picture));
  EXPECT_TRUE(FakeApps::WaitUntil([&] { return std::filesystem::exists(opened); }));
  EXPECT_FALSE(std::filesystem::exists(home.folder + "/wrong.jpg"));
}

TEST(DesktopHandlersTest, AFolderOpensInTheFileManagerAndWithNoneTheOpenFails) {
  FakeApps apps;
  ASSERT_TRUE(apps.Usable());
  test::TestHome home;
  const std::string folder = home.folder + "/a folder #1";
  std::filesystem::create_directories(folder);
  apps.Add("probe-files.desktop", "mkdir %f/opened", "inode/directory;");
  apps.Associate("inode/directory", "probe-files.desktop", "probe-files.desktop;");
  ASSERT_TRUE(FakeApps::WaitUntil(
      [] { return FakeApps::DefaultFor("inode/directory") == "probe-files.desktop"; }));
  ScriptHooks quiet;
  GioShell shell(quiet);
  ASSERT_TRUE(shell.Open(folder));
  EXPECT_TRUE(FakeApps::WaitUntil([&] { return std::filesystem::exists(folder + "/opened"); }));

  apps.Remove("probe-files.desktop");
  if (!FakeApps::WaitUntil([] { return FakeApps::DefaultFor("inode/directory").empty(); })) {
    GTEST_SKIP() << "this desktop has a file manager of its own";
  }
  // The gallery says so only when the shell owns up to the failure.
  EXPECT_FALSE(shell.Open(folder));
  EXPECT_FALSE(shell.ShowInFolder(folder + "/a.jpg"));
}

bool Shows(GtkFileFilter* filter, const char* name) {
  GtkFileFilterInfo info{};
  info.contains =
      static_cast<GtkFileFilterFlags>(GTK_FILE_FILTER_DISPLAY_NAME | GTK_FILE_FILTER_FILENAME);
  std::string path = std::string("/p/") + name;
  info.filename = path.c_str();
  info.display_name = name;
  return gtk_file_filter_filter(filter, &info);
}

TEST(FileFilterTest, ThePictureFilterShowsWhatTheListingTakes) {
  GtkFileFilter* pictures = g_object_ref_sink(NewGtkFileFilter(FileDialogFilters().at(1)));
  for (const char* name :
       {"a.jpg", "B.JPG", "c.jpeg", "D.JPEG", "e.Tif", "f.tiff", "G.TIFF", "h.bmp", "i.GIF",
        "j.png", "k.PnG", "gif", "JPEG", "tiff", ".png", "x.y.jpg", "my photo 1.jpg",
        // not pictures
        "a.txt", "a.jpg.txt", "jpg.", "e.png.", "ajpg", "a.jp", "a.jpegx", "a.tiffs", "jp", "a.svg",
        "a.webp", "noext", "$$$", "a.$$$"}) {
    EXPECT_EQ(Shows(pictures, name), IsPictureName(name)) << name;
  }
  g_object_unref(pictures);
}

}  // namespace
}  // namespace tv
