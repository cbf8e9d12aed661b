// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/picture_size.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/memory_file_system.h"
#include "support/png_head.h"

namespace tv {
namespace {

using test::MemoryFileSystem;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Png(int w, int h) {
  return test::PngHead(static_cast<uint32_t>(w), static_cast<uint32_t>(h));
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

// Each file as its header says: the four formats, and what is unknown, damaged or cut short
// measures 0 (a side beyond 16 bits alone).
TEST(PictureSize, EachFileMeasuresAsItsHeaderSays) {
  // 40 KB of metadata holding a 160 x 120 thumbnail's frame header: not the frame.
  std::string exif = std::string(100, 'e') + Bytes({255, 192, 0, 17, 8, 0, 120, 0, 160});
  exif += std::string(40 * 1024, 'e');
  const size_t len = exif.size() + 2;
  const std::string thumbnail =
      Bytes({255, 216, 255, 225, static_cast<int>(len >> 8), static_cast<int>(len & 255)}) + exif +
      Bytes({255, 192, 0, 17, 8, 0x0B, 0xB8, 0x0F, 0xA0}) + std::string(50, '\0');
  const struct {
    const char* what;
    std::string bytes;
    int width, height;
  } cases[] = {
      {"png", Png(800, 600), 800, 600},
      {"gif", Bytes({'G', 'I', 'F', '8', '9', 'a', 0x20, 0x03, 0x58, 0x02}) + "rest", 800, 600},
      {"bmp",
       "BM" + std::string(16, '\0') + Bytes({0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0}) +
           std::string(10, '\0'),
       800, 600},
      {"baseline jpeg", Jpeg(0xC0, 1024, 768), 1024, 768},
      {"thumbnail in the metadata", thumbnail, 4000, 3000},
      {"text", "plain text file", 0, 0},
      {"empty", "", 0, 0},
      {"jpeg without a frame", Bytes({255, 216, 255, 225, 0, 4, 1, 2, 255, 217}), 0, 0},
      {"png cut short", Png(800, 600).substr(0, 21), 0, 0},
      {"jpeg cut short", Jpeg(0xC0, 1024, 768, 14, 0).substr(0, 26), 0, 0},
      {"png wider than 16 bits", Png(40000, 300), 0, 300},
      // Damaged segments end the scan without hanging: one longer than the file, a zero
      // length (only fill bytes: the bounded read below).
      {"long segment",
       Bytes({255, 216, 255, 225, 0x90, 0, 1, 2, 3}) + Bytes({255, 192, 0, 17, 8, 0, 50, 0, 60}) +
           std::string(10, '\0'),
       0, 0},
      {"zero length", Bytes({255, 216, 255, 225, 0, 0}) + std::string(300, '\0'), 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PictureSize size = Measure(c.bytes);
    EXPECT_EQ(size.width, c.width);
    EXPECT_EQ(size.height, c.height);
  }
  MemoryFileSystem fs;
  EXPECT_EQ(GetPictureSize(fs, "/missing").width, 0);
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
    EXPECT_EQ(GetPictureSize(fs, "/big.jpg").width, 0);
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

  // Many metadata segments before the frame: still measured, reading only their headers.
  // 300 segments of 60 KB (18 MB of metadata, as a large embedded profile might be).
  std::string s = Bytes({255, 216});
  for (int i = 0; i < 300; ++i) s += Bytes({255, 226, 0xEA, 0x62}) + std::string(0xEA60, 'i');
  s += Bytes({255, 255, 255});  // fill bytes before a marker are allowed
  s += Bytes({255, 194, 0, 17, 8, 0x0B, 0xB8, 0x0F, 0xA0}) + std::string(64, '\0');
  MemoryFileSystem fs;
  fs.files["/p.jpg"] = s;
  const PictureSize r = GetPictureSize(fs, "/p.jpg");
  EXPECT_EQ((std::pair{r.width, r.height}), (std::pair{4000, 3000}));
  EXPECT_LE(fs.bytes_read, 301 * 32 + 512u);
  fs.bytes_read = 0;
  fs.files["/a.png"] = Png(10, 10) + std::string(1 << 20, 'x');
  GetPictureSize(fs, "/a.png");
  EXPECT_LE(fs.bytes_read, 32u);
}

}  // namespace
}  // namespace tv
