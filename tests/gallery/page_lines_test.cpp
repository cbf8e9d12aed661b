// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/page_lines.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gallery/picture_name.h"
#include "platform/headless/headless_view.h"
#include "platform/posix/posix_file_system.h"
#include "support/gallery_rig.h"
#include "support/web_fixtures.h"

namespace tv {
namespace {

TEST(PictureNames, ExtensionRule) {
  for (const char* yes : {"b.JPG", "c.gif", "png", "x.Tiff", "a.b.jpeg", "GIF"})
    EXPECT_TRUE(IsPictureName(yes)) << yes;
  for (const char* no :
       {"a.txt", "d", "e.png.", "f.$$$", "g.jp", "h.", ".", "", "i.pngx", "j.bmp,jpg", "k.gif,"})
    EXPECT_FALSE(IsPictureName(no)) << no;
}

using Widths = std::vector<std::pair<std::string, int>>;

// The view hands the engine pictures no wider than the page shows them; 0: at their own size.
TEST(PictureWidths, EachLayoutTellsTheViewHowWideItShowsEachPicture) {
  PosixFileSystem fs;
  test::GalleryRig rig(fs);
  const std::string folder = rig.home.Root() + "/pics";
  std::filesystem::create_directories(folder);
  const std::string wide = folder + "/a wide.jpg", small = folder + "/b small.jpg";
  test::TempHome::WriteAt(wide, test::Jpeg(4000, 40, 90));
  test::TempHome::WriteAt(small, test::Jpeg(60, 40, 90));
  const std::string scan = rig.home.Write("pics/c scan.tif", "II*\0 not measured by its header");
  rig.gallery.folder_list->SetPath(folder);
  rig.front->Loop().DoEvents();
  ASSERT_EQ(rig.app.State().pictures.count, 3);

  auto* view = dynamic_cast<HeadlessView*>(rig.gallery.page_view->View());
  ASSERT_TRUE(view);
  const int v = ViewWidthPixels(rig.gallery.page_view->Width());
  ASSERT_TRUE(v > 60 && v < 4000) << v;
  // One a line: shrunk to the view when wider, else at its own size (a TIFF's header is
  // not read, so it is shown at its own size too).
  EXPECT_EQ(view->picture_widths, (Widths{{wide, v}, {small, 0}, {scan, 0}}));

  rig.gallery.layout = 3;
  rig.gallery.WritePage();
  const int w = ThumbnailWidth(3, v);
  EXPECT_EQ(view->picture_widths, (Widths{{wide, w}, {small, w}, {scan, w}}));

  rig.gallery.CycleWidthMode();  // stretched to the view
  EXPECT_EQ(view->picture_widths, (Widths{{wide, v}, {small, v}, {scan, v}}));
  rig.gallery.CycleWidthMode();  // original size
  EXPECT_EQ(view->picture_widths, (Widths{{wide, 0}, {small, 0}, {scan, 0}}));
}

}  // namespace
}  // namespace tv
