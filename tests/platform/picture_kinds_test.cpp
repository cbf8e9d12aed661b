// SPDX-License-Identifier: GPL-3.0-or-later
// WebP, AVIF and HEIF pictures, made at test time where the system can write them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/picture_name.h"
#include "platform/file_filters.h"
#include "platform/picture.h"
#include "platform/picture_formats.h"
#include "platform/posix/posix_file_system.h"
#include "reduced_pictures/picture_size.h"
#include "reduced_pictures/reduced_pictures.h"
#include "support/made_pictures.h"
#include "support/memory_file_system.h"
#include "support/png_head.h"
#include "support/test_env.h"

namespace tv {
namespace {

using test::Decodable;

bool MakePicture(const std::string& path, int width, int height, bool lossless = false) {
  return test::MakeWithConvert(path, width, height,
                               lossless ? std::vector<std::string>{"-define", "webp:lossless=true"}
                                        : std::vector<std::string>{}) &&
         std::filesystem::file_size(path) > 0;
}

class PictureKinds : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder_); }
  std::string Pic(const std::string& name) const { return folder_ + "/" + name; }

  test::TempHome home_;
  std::string folder_ = home_.Root() + "/pics";
  reduced::ThumbnailCache cache_{home_.Root() + "/cache/thumbnails", "tessaview-test",
                                 home_.Root() + "/cache/tessaview"};
};

TEST_F(PictureKinds, TheListsTakeAKindExactlyWhereItsDecoderIsInstalled) {
  for (const char* kind : {"webp", "avif", "heif", "heic"}) {
    const std::string name = std::string("wallpaper.") + kind;
    EXPECT_EQ(IsPictureName(name), Decodable(kind)) << kind;
  }
  // Nothing else came in with the extras.
  for (const char* name : {"a.svg", "a.ico", "a.xpm", "a.webp.txt", "a.webpx", "webp."}) {
    EXPECT_FALSE(IsPictureName(name)) << name;
  }
  const FileFilterEntry& pictures = FileDialogFilters().at(1);
  EXPECT_EQ(std::count(pictures.patterns.begin(), pictures.patterns.end(), "*.webp"),
            Decodable("webp") ? 1 : 0);
}

TEST_F(PictureKinds, WebpSizesComeFromTheHeaderOfEachVariant) {
  // The lossy kind is measured with the other kinds below.
  if (!MakePicture(Pic("lossless.webp"), 3001, 17, true)) GTEST_SKIP() << "no WebP writer";
  PosixFileSystem fs;
  const PictureSize lossless = GetPictureSize(fs, Pic("lossless.webp"));
  EXPECT_EQ(lossless.width, 3001);
  EXPECT_EQ(lossless.height, 17);
  // A file cut short after its chunk name is no picture of any size.
  test::TempHome::WriteAt(Pic("cut.webp"), test::ReadFile(Pic("lossless.webp")).substr(0, 20));
  EXPECT_EQ(GetPictureSize(fs, Pic("cut.webp")).width, 0);
  test::TempHome::WriteAt(Pic("riff.webp"), std::string("RIFF\x10\0\0\0WAVEfmt ", 16));
  EXPECT_EQ(GetPictureSize(fs, Pic("riff.webp")).width, 0);
}

TEST_F(PictureKinds, BoxedPicturesAreMeasuredWithinBoundsAndTurned) {
  const auto u32 = test::PngBigEndian;
  auto box = [&](const std::string& type, const std::string& body) {
    return u32(static_cast<uint32_t>(body.size() + 8)) + type + body;
  };
  const std::string full(4, '\0');  // version and flags of a full box
  const std::string ftyp = box("ftyp", "heic" + u32(0) + "mif1heic");
  auto file = [&](const std::string& properties) {
    return ftyp + box("meta", full + box("hdlr", full + std::string(20, '\0')) +
                                  box("iprp", box("ipco", properties)));
  };
  const std::string whole = file(box("ispe", full + u32(800) + u32(600)));
  const struct {
    const char* what;
    std::string bytes;
    int width, height;
  } cases[] = {
      {"a thumbnail and the picture: the larger counts",
       file(box("ispe", full + u32(320) + u32(240)) + box("ispe", full + u32(4032) + u32(3024))),
       4032, 3024},
      {"a quarter turn swaps the sides",
       file(box("ispe", full + u32(4032) + u32(3024)) + box("irot", "\x01")), 3024, 4032},
      // Damaged boxes measure nothing and read nothing beyond the file.
      {"length past the file", ftyp + u32(0x7FFFFFFF) + "meta" + full, 0, 0},
      {"length 0", ftyp + u32(0) + "free" + std::string(64, 'x'), 0, 0},
      {"cut short", whole.substr(0, whole.size() - 3), 0, 0},
  };
  for (const auto& c : cases) {
    test::MemoryFileSystem fs;
    fs.files["/p.heic"] = c.bytes;
    const PictureSize size = GetPictureSize(fs, "/p.heic");
    EXPECT_EQ(size.width, c.width) << c.what;
    EXPECT_EQ(size.height, c.height) << c.what;
  }
}

TEST_F(PictureKinds, EachKindIsShownThroughTheReducedPicturePath) {
  int shown = 0;
  for (const char* kind : {"webp", "avif", "heic"}) {
    const std::string file = Pic(std::string("wide.") + kind);
    if (!Decodable(kind)) continue;
    if (!MakePicture(file, 1200, 800)) continue;  // no encoder for it here
    ++shown;
    PosixFileSystem fs;
    const PictureSize size = GetPictureSize(fs, file);  // from the header alone
    EXPECT_EQ(size.width, 1200) << kind;
    EXPECT_EQ(size.height, 800) << kind;
    // Wider than shown: a thumbnail wide enough, of the picture's own colour.
    reduced::ReducedPicture small = reduced::ReducePicture(cache_, file, 200);
    ASSERT_EQ(small.kind, reduced::ReducedPicture::kMade) << kind;
    auto thumb = DecodePicture(small.bytes);
    ASSERT_TRUE(thumb) << kind;
    EXPECT_GE(thumb->width, 200) << kind;
    EXPECT_LT(thumb->width, 1200) << kind;
    std::vector<uint8_t> row(static_cast<size_t>(thumb->width) * 3);
    ASSERT_TRUE(thumb->Bands()(thumb->height / 2, 1, row.data()));
    EXPECT_NEAR(row[thumb->width / 2 * 3], 200, 12) << kind;
    EXPECT_NEAR(row[thumb->width / 2 * 3 + 2], 40, 12) << kind;
    // At its own size: WebP is read by the engine itself; the others are made for it.
    reduced::ReducedPicture whole = reduced::ReducePicture(cache_, file, 0);
    if (std::string(kind) == "webp") {
      EXPECT_EQ(whole.kind, reduced::ReducedPicture::kOriginal);
    } else {
      ASSERT_EQ(whole.kind, reduced::ReducedPicture::kMade) << kind;
      EXPECT_EQ(whole.mime, "image/png") << kind;
      auto made = DecodePicture(whole.bytes);
      ASSERT_TRUE(made) << kind;
      EXPECT_EQ(made->width, 1200) << kind;
    }
  }
  if (shown == 0) GTEST_SKIP() << "no WebP, AVIF or HEIF decoder and encoder here";
}

}  // namespace
}  // namespace tv
