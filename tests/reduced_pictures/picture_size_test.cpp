// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/picture_size.h"

#include <gtest/gtest.h>

#include <functional>

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

// A file of any length whose bytes come from a rule, so a gigabyte costs no memory;
// counts what is read.
class GeneratedFileSystem : public test::MemoryFileSystem {
 public:
  GeneratedFileSystem(uint64_t length, std::function<char(uint64_t)> byte)
      : length_(length), byte_(std::move(byte)) {}
  std::unique_ptr<RandomAccessFile> Open(const std::string&) override {
    return std::make_unique<File>(*this);
  }

 private:
  class File : public RandomAccessFile {
   public:
    explicit File(GeneratedFileSystem& fs) : fs_(fs) {}
    uint64_t Length() const override { return fs_.length_; }
    size_t ReadAt(uint64_t offset, void* buffer, size_t n) override {
      if (offset >= fs_.length_) return 0;
      n = static_cast<size_t>(std::min<uint64_t>(n, fs_.length_ - offset));
      auto* out = static_cast<char*>(buffer);
      for (size_t i = 0; i < n; ++i) out[i] = fs_.byte_(offset + i);
      fs_.bytes_read += n;
      ++fs_.reads;
      return n;
    }

   private:
    GeneratedFileSystem& fs_;
  };
  uint64_t length_;
  std::function<char(uint64_t)> byte_;
};

TEST(PictureSize, AnyFileCostsABoundedRead) {
  constexpr uint64_t kGigabyte = uint64_t{1} << 30;
  constexpr size_t kBound = 1 << 20;  // far above a real header, far below the files
  const std::string start = Bytes({255, 216, 255});
  // Fill bytes, zeros or text after a JPEG start: no marker ever follows.
  for (char fill : {'\xFF', '\0', 'x'}) {
    GeneratedFileSystem fs(kGigabyte, [&](uint64_t at) { return at < 3 ? start[at] : fill; });
    auto r = GetPictureSize(fs, "/big.jpg");
    EXPECT_EQ(r.width, 0);
    EXPECT_LE(fs.bytes_read, kBound) << int(fill);
  }
  // Segment after segment of the longest length, each one skipped whole.
  const std::string segment = Bytes({255, 225, 255, 254});
  GeneratedFileSystem chain(kGigabyte, [&](uint64_t at) {
    if (at < 2) return start[at];
    uint64_t k = (at - 2) % 65536;
    return k < 4 ? segment[k] : 'm';
  });
  EXPECT_EQ(GetPictureSize(chain, "/chain.jpg").width, 0);
  EXPECT_LE(chain.bytes_read, 128u * 1024);
}

TEST(PictureSize, ManyMetadataSegmentsBeforeTheFrameAreStillMeasured) {
  // 300 segments of 60 KB (18 MB of metadata, as a large embedded profile might be).
  std::string s = Bytes({255, 216});
  for (int i = 0; i < 300; ++i) s += Bytes({255, 226, 0xEA, 0x62}) + std::string(0xEA60, 'i');
  s += Bytes({255, 255, 255});  // fill bytes before a marker are allowed
  s += Bytes({255, 194, 0, 17, 8, 0x0B, 0xB8, 0x0F, 0xA0}) + std::string(64, '\0');
  MemoryFileSystem fs;
  fs.files["/p.jpg"] = s;
  auto r = GetPictureSize(fs, "/p.jpg");
  EXPECT_EQ(r.width, 4000);
  EXPECT_EQ(r.height, 3000);
  EXPECT_LE(fs.bytes_read, 301 * 32 + 512u);
}

}  // namespace
}  // namespace tv
