// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "platform/picture.h"
#include "support/png_head.h"
#include "support/web_fixtures.h"

namespace tv {
namespace {

// A 2 x 1 PNG: one opaque red pixel, one fully transparent pixel.
const unsigned char kRedAndClear[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xf4,
    0x22, 0x7f, 0x8a, 0x00, 0x00, 0x00, 0x0f, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
    0xcf, 0xc0, 0x00, 0x44, 0x0c, 0x0c, 0x00, 0x0c, 0xfc, 0x01, 0xff, 0x5c, 0xfd, 0x14, 0x95,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

std::vector<uint8_t> Packed(const Picture& p) {
  std::vector<uint8_t> rgb(static_cast<size_t>(p.width) * p.height * 3);
  EXPECT_TRUE(p.Bands()(0, p.height, rgb.data()));
  return rgb;
}

std::string RedAndClear() {
  return std::string(reinterpret_cast<const char*>(kRedAndClear), sizeof kRedAndClear);
}

TEST(PictureDecoder, DecodesTransparencyOverWhiteAndHandsOutOnlyItsRows) {
  auto p = DecodePicture(RedAndClear());
  ASSERT_TRUE(p);
  EXPECT_EQ(Packed(*p), (std::vector<uint8_t>{255, 0, 0, 255, 255, 255}));
  p = DecodePicture(test::Jpeg(300, 200, 90));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->height, 200);
  std::vector<uint8_t> band(300 * 3 * 2);
  EXPECT_TRUE(p->Bands()(198, 2, band.data()));
  EXPECT_FALSE(p->Bands()(199, 2, band.data()));
}

TEST(PictureDecoder, BytesThatAreNoWholePictureGiveNothing) {
  const std::string png = RedAndClear();
  for (const std::string& bytes :
       {std::string(), std::string("x"), std::string(100, '\0'), std::string("<html></html>")}) {
    DecodeFault fault = DecodeFault::kNone;
    EXPECT_FALSE(DecodePicture(bytes, &fault)) << bytes.size();
    EXPECT_EQ(fault, DecodeFault::kUnknownFormat) << bytes.size();
  }
  // Cut short, a known format is damaged: what a view shows of it is no whole picture.
  const std::string jpeg = test::Jpeg(300, 200, 0);
  for (const std::string& bytes :
       {png.substr(0, 40), test::PngHead(600, 700), jpeg.substr(0, jpeg.size() / 2),
        std::string("\xff\xd8\xff\xe0") + std::string(20, '\0')}) {
    DecodeFault fault = DecodeFault::kNone;
    EXPECT_FALSE(DecodePicture(bytes, &fault)) << bytes.size();
    EXPECT_EQ(fault, DecodeFault::kDamaged) << bytes.size();
  }
}

struct ChildDecode {
  bool ran = false;
  bool decoded = false;
  bool too_large = false;
  long grown_mb = 0;  // the child's peak memory beyond the parent's at the start
};

// Decodes in a child process, so a picture's memory is measured on its own.
ChildDecode DecodeInChild(const std::string& bytes) {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  const long start_kb = resident * (sysconf(_SC_PAGESIZE) / 1024);
  const pid_t pid = fork();
  if (pid == 0) {
    DecodeFault fault = DecodeFault::kNone;
    const bool decoded = DecodePicture(bytes, &fault).has_value();
    _exit((decoded ? 1 : 0) | (fault == DecodeFault::kTooLarge ? 2 : 0));
  }
  int status = 0;
  rusage usage{};
  ChildDecode result;
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) return result;
  result.ran = true;
  result.decoded = WEXITSTATUS(status) & 1;
  result.too_large = WEXITSTATUS(status) & 2;
  result.grown_mb = (usage.ru_maxrss - start_kb) / 1024;
  return result;
}

// A JPEG that says it is `width` x `height`; its data is for 16 x 16.
std::string JpegClaiming(int width, int height) {
  std::string bytes = test::Jpeg(16, 16, 90);
  for (size_t p = 2; p + 9 < bytes.size();) {
    const auto marker = static_cast<unsigned char>(bytes[p + 1]);
    if (marker >= 0xC0 && marker <= 0xC2) {
      bytes[p + 5] = static_cast<char>(height >> 8), bytes[p + 6] = static_cast<char>(height);
      bytes[p + 7] = static_cast<char>(width >> 8), bytes[p + 8] = static_cast<char>(width);
      break;
    }
    p += 2 +
         (static_cast<unsigned char>(bytes[p + 2]) << 8 | static_cast<unsigned char>(bytes[p + 3]));
  }
  return bytes;
}

TEST(PictureDecoder, APictureAboveTheCapIsRefusedWithoutItsMemory) {
  // 196 megapixels in a few bytes would take 588 MB decoded.
  for (const std::string& bytes : {test::PngHead(14000, 14000), test::PngHead(8001, 8000),
                                   test::PngHead(1'000'000, 65), JpegClaiming(14000, 14000)}) {
    const ChildDecode d = DecodeInChild(bytes);
    EXPECT_TRUE(d.ran);
    EXPECT_TRUE(d.too_large);
    EXPECT_LT(d.grown_mb, 32);
  }
  // Exactly the cap is read on: its pixels are made before the cut is found.
  const ChildDecode at_cap = DecodeInChild(test::PngHead(8000, 8000));
  EXPECT_FALSE(at_cap.too_large);
  EXPECT_GT(at_cap.grown_mb, 150);
  DecodeFault fault = DecodeFault::kTooLarge;
  EXPECT_TRUE(DecodePicture(RedAndClear(), &fault));
  EXPECT_EQ(fault, DecodeFault::kNone);
}

}  // namespace
}  // namespace tv
