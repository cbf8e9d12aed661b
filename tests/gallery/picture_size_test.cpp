#include "gallery/picture_size.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace tv {
namespace {

using test::MemoryFileSystem;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Png(int w, int h) {
  std::string s = Bytes({137, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
  s += Bytes({0, 0, w >> 8, w & 255, 0, 0, h >> 8, h & 255, 8, 2, 0, 0, 0});
  return s + std::string(20, '\0');
}

// A JPEG: start marker, an APP segment of `app_bytes`, then a frame of `frame` type.
std::string Jpeg(int frame, int w, int h, size_t app_bytes = 14, size_t tail = 100) {
  std::string s = Bytes({255, 216});
  const size_t len = app_bytes + 2;
  s += Bytes({255, 225, static_cast<int>(len >> 8), static_cast<int>(len & 255)});
  s += std::string(app_bytes, 'x');
  s += Bytes({255, frame, 0, 17, 8, h >> 8, h & 255, w >> 8, w & 255});
  return s + std::string(tail, '\0');
}

PictureSize Measure(const std::string& data) {
  MemoryFileSystem fs;
  fs.files["/p"] = data;
  return GetPictureSize(fs, "/p");
}

TEST(PictureSize, ReadsTheFourFormats) {
  auto png = Measure(Png(800, 600));
  EXPECT_EQ(png.width, 800);
  EXPECT_EQ(png.height, 600);

  auto gif = Measure(Bytes({'G', 'I', 'F', '8', '9', 'a', 0x20, 0x03, 0x58, 0x02}) + "rest");
  EXPECT_EQ(gif.width, 800);
  EXPECT_EQ(gif.height, 600);

  std::string bmp = "BM" + std::string(16, '\0') + Bytes({0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0});
  auto b = Measure(bmp + std::string(10, '\0'));
  EXPECT_EQ(b.width, 800);
  EXPECT_EQ(b.height, 600);

  auto baseline = Measure(Jpeg(0xC0, 1024, 768));
  EXPECT_EQ(baseline.width, 1024);
  EXPECT_EQ(baseline.height, 768);
  auto progressive = Measure(Jpeg(0xC2, 640, 480));
  EXPECT_EQ(progressive.width, 640);
  EXPECT_EQ(progressive.height, 480);
}

TEST(PictureSize, UnknownDamagedOrMissingGivesZero) {
  MemoryFileSystem fs;
  EXPECT_EQ(GetPictureSize(fs, "/missing").width, 0);
  EXPECT_EQ(Measure("plain text file").width, 0);
  EXPECT_EQ(Measure("").width, 0);
  // A JPEG without a frame marker.
  auto none = Measure(Bytes({255, 216, 255, 225, 0, 4, 1, 2, 255, 217}));
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
  // Headers cut short.
  EXPECT_EQ(Measure(Png(800, 600).substr(0, 21)).width, 0);
  EXPECT_EQ(Measure(Jpeg(0xC0, 1024, 768, 14, 0).substr(0, 26)).width, 0);
  EXPECT_EQ(Measure(Bytes({'G', 'I', 'F', '8', '9'})).width, 0);
}

TEST(PictureSize, DimensionsBeyondSixteenBitsStayZero) {
  auto big = Measure(Png(40000, 300));
  EXPECT_EQ(big.width, 0);
  EXPECT_EQ(big.height, 300);
}

TEST(PictureSize, DamagedJpegSegmentsEndWithoutHanging) {
  // A segment longer than the file ends the scan.
  std::string s = Bytes({255, 216, 255, 225, 0x90, 0, 1, 2, 3});
  s += Bytes({255, 192, 0, 17, 8, 0, 50, 0, 60}) + std::string(10, '\0');
  EXPECT_EQ(Measure(s).width, 0);
  // Only fill bytes: the scan runs off the end.
  EXPECT_EQ(Measure(Bytes({255, 216, 255}) + std::string(5000, '\xFF')).width, 0);
  // A zero segment length still moves forward.
  EXPECT_EQ(Measure(Bytes({255, 216, 255, 225, 0, 0}) + std::string(300, '\0')).width, 0);
}

TEST(PictureSize, ThumbnailInsideLargeMetadataIsNotTheFrame) {
  // 40 KB of metadata holding a 160 x 120 thumbnail's frame header.
  std::string exif = std::string(100, 'e') + Bytes({255, 192, 0, 17, 8, 0, 120, 0, 160});
  exif += std::string(40 * 1024, 'e');
  std::string s = Bytes({255, 216, 255, 225});
  const size_t len = exif.size() + 2;
  s += Bytes({static_cast<int>(len >> 8), static_cast<int>(len & 255)}) + exif;
  s += Bytes({255, 192, 0, 17, 8, 0x0B, 0xB8, 0x0F, 0xA0}) + std::string(50, '\0');
  auto r = Measure(s);
  EXPECT_EQ(r.width, 4000);
  EXPECT_EQ(r.height, 3000);
}

TEST(PictureSize, ReadsOnlyTheHeaders) {
  MemoryFileSystem fs;
  fs.files["/a.png"] = Png(10, 10) + std::string(1 << 20, 'x');
  GetPictureSize(fs, "/a.png");
  EXPECT_LE(fs.bytes_read, 32u);

  fs.bytes_read = 0;
  fs.files["/b.jpg"] = Jpeg(0xC0, 4000, 3000, 60 * 1024, 20 << 20);
  auto r = GetPictureSize(fs, "/b.jpg");
  EXPECT_EQ(r.width, 4000);
  EXPECT_LE(fs.bytes_read, 128u);
}

}  // namespace
}  // namespace tv
