// SPDX-License-Identifier: GPL-3.0-or-later
// The view is told, with every page, how wide the page shows each picture, so it can hand
// the engine pictures no larger than that; pictures shown at their own size get 0.
#include <gtest/gtest.h>

#include <filesystem>

#include "gallery/page_lines.h"
#include "platform/headless/headless_view.h"
#include "platform/jpeg.h"
#include "platform/posix/posix_file_system.h"
#include "support/gallery_rig.h"

namespace tv {
namespace {

using Widths = std::vector<std::pair<std::string, int>>;

void WriteGrey(const std::string& path, int width, int height) {
  ASSERT_TRUE(SaveJpegFile(path, width, height, 80, [width](int, int rows, uint8_t* rgb) {
    std::fill(rgb, rgb + rows * width * 3, 90);
    return true;
  }));
}

TEST(PictureWidths, EachLayoutTellsTheViewHowWideItShowsEachPicture) {
  PosixFileSystem fs;
  test::GalleryRig rig(fs);
  const std::string folder = rig.home.Root() + "/pics";
  std::filesystem::create_directories(folder);
  const std::string wide = folder + "/a wide.jpg", small = folder + "/b small.jpg";
  WriteGrey(wide, 4000, 40);
  WriteGrey(small, 60, 40);
  const std::string scan = rig.home.Write("pics/c scan.tif", "II*\0 not measured by its header");
  rig.gallery.folder_list->SetPath(folder);
  rig.front->Loop().DoEvents();
  ASSERT_EQ(rig.app.State().pictures.count, 3);

  auto* view = dynamic_cast<HeadlessView*>(rig.gallery.page_view->View());
  ASSERT_TRUE(view);
  const int v = ViewWidthPixels(rig.gallery.page_view->Width());
  ASSERT_LT(v, 4000);
  ASSERT_GT(v, 60);
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
