// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/jpeg.h"
#include "platform/picture.h"
#include "support/test_env.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// Reads the file back whole; 0 x 0 when it is no JPEG.
Decoded Decode(const std::string& path) {
  Decoded d;
  const std::optional<Picture> p = DecodePicture(test::ReadFile(path));
  if (!p) return d;
  d.rgb.resize(static_cast<size_t>(p->width) * p->height * 3);
  if (!p->Bands()(0, p->height, d.rgb.data())) return d;
  d.width = p->width;
  d.height = p->height;
  return d;
}

class JpegWriterTest : public ::testing::Test {
 protected:
  std::vector<std::string> Names() { return test::NamesIn(dir_); }
  test::TempHome home_;
  std::string dir_ = home_.Root() + "/out";
  std::string path_ = dir_ + "/page.jpg";
  void SetUp() override { fs::create_directories(dir_); }
};

TEST_F(JpegWriterTest, WritesEveryRowOnceBandByBand) {
  const int width = 300, height = 517;  // more than one band, not a multiple of one
  std::vector<int> next_row{0};
  auto source = [&](int first, int rows, uint8_t* rgb) {
    EXPECT_EQ(first, next_row.back());
    EXPECT_GE(rows, 1);
    next_row.push_back(first + rows);
    // Red above row 200, blue below: a band written at the wrong place shows.
    for (int r = 0; r < rows; ++r) {
      for (int x = 0; x < width; ++x) {
        uint8_t* p = rgb + (static_cast<size_t>(r) * width + x) * 3;
        bool top = first + r < 200;
        p[0] = top ? 255 : 0;
        p[1] = 0;
        p[2] = top ? 0 : 255;
      }
    }
    return true;
  };
  ASSERT_TRUE(SaveJpegFile(path_, width, height, 80, source));
  EXPECT_EQ(next_row.back(), height);
  EXPECT_GT(next_row.size(), 2u) << "the picture came in more than one band";
  Decoded d = Decode(path_);
  ASSERT_EQ(d.width, width);
  ASSERT_EQ(d.height, height);
  auto at = [&](int x, int y, int c) {
    return d.rgb[(static_cast<size_t>(y) * width + x) * 3 + c];
  };
  EXPECT_GT(at(150, 100, 0), 200);
  EXPECT_LT(at(150, 100, 2), 60);
  EXPECT_LT(at(150, 400, 0), 60);
  EXPECT_GT(at(150, 400, 2), 200);
  EXPECT_EQ(Names(), std::vector<std::string>{"page.jpg"});
}

TEST_F(JpegWriterTest, FailuresLeaveNoFile) {
  int calls = 0;
  auto counting = [&](int, int, uint8_t*) {
    ++calls;
    return true;
  };
  EXPECT_FALSE(SaveJpegFile(path_, 70000, 100, 80, counting));
  EXPECT_FALSE(SaveJpegFile(path_, 10, -1, 80, counting));
  EXPECT_EQ(calls, 0);
  EXPECT_FALSE(SaveJpegFile(path_, 10, 10, 80, nullptr));

  EXPECT_FALSE(SaveJpegFile(dir_ + "/missing/page.jpg", 10, 10, 80, counting));
  EXPECT_FALSE(fs::exists(dir_ + "/missing"));

  // A source that gives up half-way, or throws, leaves nothing behind.
  auto gives_up = [](int first, int rows, uint8_t* rgb) {
    std::fill(rgb, rgb + static_cast<size_t>(rows) * 64 * 3, 0);
    return first == 0;
  };
  EXPECT_FALSE(SaveJpegFile(path_, 64, 600, 80, gives_up));
  auto throws = [](int, int, uint8_t*) -> bool { throw std::runtime_error("no page"); };
  EXPECT_FALSE(SaveJpegFile(path_, 64, 64, 80, throws));
  EXPECT_TRUE(Names().empty());
}

// Two copies of the program may pick the same free name at once: a new file never
// replaces one, the next name is taken instead, and nothing is left behind.
TEST_F(JpegWriterTest, ANewFileTakesTheNextFreeNameAndNeverReplacesOne) {
  auto grey = [](int, int rows, uint8_t* rgb) {
    std::fill(rgb, rgb + static_cast<size_t>(rows) * 32 * 3, 128);
    return true;
  };
  test::TempHome::WriteAt(dir_ + "/a0.jpg", "another copy's picture");
  int n = 0;
  auto names = [&] { return n < 3 ? dir_ + "/a" + std::to_string(n++) + ".jpg" : ""; };
  EXPECT_EQ(SaveNewJpegFile(names, 32, 32, 80, grey), dir_ + "/a1.jpg");
  EXPECT_EQ(test::ReadFile(dir_ + "/a0.jpg"), "another copy's picture");
  EXPECT_EQ(Decode(dir_ + "/a1.jpg").width, 32);
  n = 0;
  test::TempHome::WriteAt(dir_ + "/a2.jpg", "");
  EXPECT_EQ(SaveNewJpegFile(names, 32, 32, 80, grey), "");  // every name taken
  EXPECT_EQ(Names().size(), 3u);
}

}  // namespace
}  // namespace tv
