// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/served_pictures.h"

#include <gtest/gtest.h>

#include <map>

namespace tv::reduced {
namespace {

TEST(ServedPictures, APageIsHandedNoCopyOfAnotherWidthOrAnOlderFile) {
  std::map<std::string, FileVersion> now = {{"/a.jpg", {1, 10, 7}}, {"/b.jpg", {2, 20, 8}}};
  const auto version_of = [&](const std::string& p) -> std::optional<FileVersion> {
    const auto it = now.find(p);
    return it == now.end() ? std::nullopt : std::optional(it->second);
  };
  ServedPictures served;
  EXPECT_FALSE(served.AnyReduced());
  served.Served("/a.jpg", 300, now["/a.jpg"]);
  served.Served("/b.jpg", 0, now["/b.jpg"]);
  EXPECT_TRUE(served.AnyReduced());  // a page naming no widths would get /a.jpg made small

  EXPECT_FALSE(served.Stale(PictureWidths({{"/a.jpg", 300}, {"/b.jpg", 0}}), 1, version_of));
  EXPECT_FALSE(served.Stale(PictureWidths({{"/a.jpg", 150}}), 2, version_of));  // same pixels
  EXPECT_FALSE(served.Stale(PictureWidths({{"/c.jpg", 90}}), 1, version_of));   // never served
  EXPECT_TRUE(served.Stale(PictureWidths({{"/a.jpg", 301}}), 1, version_of));
  EXPECT_TRUE(served.Stale(PictureWidths({{"/b.jpg", 300}}), 1, version_of));

  now["/b.jpg"].mtime_ns += 1;  // written again within the same second
  EXPECT_TRUE(served.Stale(PictureWidths({{"/b.jpg", 0}}), 1, version_of));
  now.erase("/a.jpg");  // gone
  EXPECT_TRUE(served.Stale(PictureWidths({{"/a.jpg", 300}}), 1, version_of));

  served.Forget();
  EXPECT_FALSE(served.AnyReduced());
  EXPECT_FALSE(served.Stale(PictureWidths({{"/a.jpg", 1}, {"/b.jpg", 0}}), 1, version_of));
}

}  // namespace
}  // namespace tv::reduced
