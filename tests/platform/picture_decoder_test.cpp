#include <gtest/gtest.h>

#include "platform/jpeg.h"
#include "platform/picture.h"
#include "support/test_env.h"

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

TEST(PictureDecoder, DecodesWithTransparencyOverWhite) {
  auto p = DecodePicture(
      std::string_view(reinterpret_cast<const char*>(kRedAndClear), sizeof kRedAndClear));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 2);
  EXPECT_EQ(p->height, 1);
  EXPECT_EQ(Packed(*p), (std::vector<uint8_t>{255, 0, 0, 255, 255, 255}));
}

TEST(PictureDecoder, AJpegRoundTripsAtItsSize) {
  test::TempHome home;
  const std::string file = home.Root() + "/a.jpg";
  ASSERT_TRUE(SaveJpegFile(file, 300, 200, 90, [](int, int rows, uint8_t* rgb) {
    std::fill(rgb, rgb + rows * 300 * 3, 128);
    return true;
  }));
  auto p = DecodePicture(test::ReadFile(file));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 300);
  EXPECT_EQ(p->height, 200);
  EXPECT_NEAR(Packed(*p)[3 * (100 * 300 + 150)], 128, 3);
  // The bands hand out exactly the picture's rows.
  std::vector<uint8_t> band(300 * 3 * 2);
  EXPECT_TRUE(p->Bands()(198, 2, band.data()));
  EXPECT_FALSE(p->Bands()(199, 2, band.data()));
}

TEST(PictureDecoder, BytesThatAreNoWholePictureGiveNothing) {
  const std::string png(reinterpret_cast<const char*>(kRedAndClear), sizeof kRedAndClear);
  for (const std::string& bytes :
       {std::string(), std::string("x"), std::string(100, '\0'), std::string("<html></html>"),
        png.substr(0, 40), std::string("\xff\xd8\xff\xe0") + std::string(20, '\0')}) {
    EXPECT_FALSE(DecodePicture(bytes)) << bytes.size();
  }
}

}  // namespace
}  // namespace tv
