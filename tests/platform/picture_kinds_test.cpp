// SPDX-License-Identifier: GPL-3.0-or-later
// WebP, AVIF and HEIF pictures, made at test time: listed by the gallery exactly where
// the system has a decoder for them, measured from their headers where the format allows,
// and shown through the reduced-picture path (thumbnails, or PNGs made for the engine).
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
#include "program/program_state.h"
#include "reduced_pictures/picture_size.h"
#include "reduced_pictures/reduced_pictures.h"
#include "support/gallery_rig.h"
#include "support/made_pictures.h"
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

TEST_F(PictureKinds, TheGalleryListsWebpBesideJpeg) {
  if (!Decodable("webp")) GTEST_SKIP() << "no WebP loader for gdk-pixbuf";
  if (!MakePicture(Pic("b.webp"), 64, 48)) GTEST_SKIP() << "ImageMagick writes no WebP";
  ASSERT_TRUE(MakePicture(Pic("a.jpg"), 64, 48));
  test::TempHome::WriteAt(Pic("c.txt"), "not a picture");
  PosixFileSystem fs;
  test::GalleryRig rig(fs);
  rig.gallery.folder_list->SetPath(folder_);
  const PictureList& list = rig.app.State().pictures;
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(list.At(0), Pic("a.jpg"));
  EXPECT_EQ(list.At(1), Pic("b.webp"));
}

TEST_F(PictureKinds, WebpSizesComeFromTheHeaderOfEachVariant) {
  if (!MakePicture(Pic("lossy.webp"), 640, 427)) GTEST_SKIP() << "ImageMagick writes no WebP";
  ASSERT_TRUE(MakePicture(Pic("lossless.webp"), 3001, 17, true));
  PosixFileSystem fs;
  EXPECT_EQ(GetPictureSize(fs, Pic("lossy.webp")).height, 427);
  const PictureSize lossless = GetPictureSize(fs, Pic("lossless.webp"));
  EXPECT_EQ(lossless.width, 3001);
  EXPECT_EQ(lossless.height, 17);
  // A file cut short after its chunk name is no picture of any size.
  std::string cut = test::ReadFile(Pic("lossy.webp")).substr(0, 20);
  test::TempHome::WriteAt(Pic("cut.webp"), cut);
  EXPECT_EQ(GetPictureSize(fs, Pic("cut.webp")).width, 0);
  test::TempHome::WriteAt(Pic("riff.webp"), std::string("RIFF\x10\0\0\0WAVEfmt ", 16));
  EXPECT_EQ(GetPictureSize(fs, Pic("riff.webp")).width, 0);
}

TEST_F(PictureKinds, BoxedPicturesAreMeasuredWithinBoundsAndTurned) {
  auto box = [](const std::string& type, const std::string& body) {
    const size_t n = body.size() + 8;
    return std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} + type + body;
  };
  auto u32 = [](uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  const std::string full(4, '\0');  // version and flags of a full box
  const std::string ftyp = box("ftyp", "heic" + u32(0) + "mif1heic");
  auto file = [&](const std::string& properties) {
    return ftyp + box("meta", full + box("hdlr", full + std::string(20, '\0')) +
                                  box("iprp", box("ipco", properties)));
  };
  PosixFileSystem fs;
  // A thumbnail and the picture: the larger counts.
  test::TempHome::WriteAt(Pic("two.heic"), file(box("ispe", full + u32(320) + u32(240)) +
                                                box("ispe", full + u32(4032) + u32(3024))));
  PictureSize s = GetPictureSize(fs, Pic("two.heic"));
  EXPECT_EQ(s.width, 4032);
  EXPECT_EQ(s.height, 3024);
  // A quarter turn swaps the sides.
  test::TempHome::WriteAt(Pic("turned.heic"),
                          file(box("ispe", full + u32(4032) + u32(3024)) + box("irot", "\x01")));
  s = GetPictureSize(fs, Pic("turned.heic"));
  EXPECT_EQ(s.width, 3024);
  EXPECT_EQ(s.height, 4032);
  // Lengths that point past the file, a box of length 0 and one cut short measure nothing
  // and read nothing beyond the file.
  test::TempHome::WriteAt(Pic("long.heic"), ftyp + u32(0x7FFFFFFF) + "meta" + full);
  EXPECT_EQ(GetPictureSize(fs, Pic("long.heic")).width, 0);
  test::TempHome::WriteAt(Pic("zero.heic"), ftyp + u32(0) + "free" + std::string(64, 'x'));
  EXPECT_EQ(GetPictureSize(fs, Pic("zero.heic")).width, 0);
  const std::string whole = file(box("ispe", full + u32(800) + u32(600)));
  test::TempHome::WriteAt(Pic("cut.heic"), whole.substr(0, whole.size() - 3));
  EXPECT_EQ(GetPictureSize(fs, Pic("cut.heic")).width, 0);
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
