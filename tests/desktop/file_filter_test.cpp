// SPDX-License-Identifier: GPL-3.0-or-later
// The picture filter of the open and save dialogs shows exactly the names the folder
// listing takes, in any letter case.
#include "platform/gtk/file_filter.h"

#include <gtest/gtest.h>

#include "gallery/picture_name.h"

namespace tv {
namespace {

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
