// The picture filter of the open and save dialogs shows exactly the names the folder
// listing takes, in any letter case; the four labels stay as the program shows them.
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

TEST(FileFilterTest, TheEntriesKeepTheirLabelsAndTheirOtherPatterns) {
  const auto& filters = FileDialogFilters();
  ASSERT_EQ(filters.size(), 4u);
  EXPECT_EQ(filters[0].label, "全部(*.*)");
  EXPECT_EQ(filters[1].label, "图像文件(BMP,JPG,GIF,PNG,TIF)");
  EXPECT_EQ(filters[2].label, "网页文件 (HTM,HTML)");
  EXPECT_EQ(filters[3].label, "文本文件 (TXT)");
  GtkFileFilter* all = g_object_ref_sink(NewGtkFileFilter(filters[0]));
  GtkFileFilter* pages = g_object_ref_sink(NewGtkFileFilter(filters[2]));
  GtkFileFilter* text = g_object_ref_sink(NewGtkFileFilter(filters[3]));
  EXPECT_TRUE(Shows(all, "anything"));
  EXPECT_TRUE(Shows(pages, "Index.HTML"));
  EXPECT_TRUE(Shows(pages, "a.htm"));
  EXPECT_FALSE(Shows(pages, "a.jpg"));
  EXPECT_TRUE(Shows(text, "LIST.TXT"));
  EXPECT_FALSE(Shows(text, "a.text"));
  g_object_unref(all);
  g_object_unref(pages);
  g_object_unref(text);
}

}  // namespace
}  // namespace tv
