// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/picture_file_names.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace tv {
namespace {

TEST(PictureFileNames, NumbersWithoutLeadingZerosAndTheFirstFreeName) {
  test::MemoryFileSystem fs;
  const DateTime t{2027, 3, 5, 9, 7, 0};
  int32_t counter = 0;
  EXPECT_EQ(MakePictureFileName(fs, "/d/", t, counter), "/d/202735_970.jpg");
  EXPECT_EQ(counter, 1);
  // A second run in the same minute starts at 0 again and skips the names in use.
  fs.files["/d/202735_970.jpg"] = "x";
  fs.files["/d/202735_971.jpg"] = "x";
  counter = 0;
  EXPECT_EQ(MakePictureFileName(fs, "/d/", t, counter), "/d/202735_972.jpg");
  EXPECT_EQ(counter, 3);
  const DateTime late{2027, 12, 31, 23, 59, 0};
  counter = 10;
  EXPECT_EQ(MakePictureFileName(fs, "/d/", late, counter), "/d/20271231_235910.jpg");
}

TEST(PictureFileNames, ScreenshotNames) {
  EXPECT_EQ(ScreenshotName("Cats - Lumbra浏览器"), "Cats.jpg");
  EXPECT_EQ(ScreenshotName("春游照片 - Lumbra浏览器"), "春游照片.jpg");
  EXPECT_EQ(ScreenshotName("ab-c"), "a.jpg");  // the character before the hyphen goes
  EXPECT_EQ(ScreenshotName("- Lumbra浏览器"), "Lumbra浏览器.jpg");
  EXPECT_EQ(ScreenshotName("x-y"), "x-y.jpg");
  EXPECT_EQ(ScreenshotName("No hyphen here"), "No hyphen here.jpg");
  EXPECT_EQ(ScreenshotName(""), "截图.jpg");
  EXPECT_EQ(ScreenshotName(" - "), "截图.jpg");
}

}  // namespace
}  // namespace tv
