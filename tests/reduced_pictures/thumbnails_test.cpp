// SPDX-License-Identifier: GPL-3.0-or-later
// Reduced pictures: the shared thumbnails and the program's own wide ones, made, found
// again and trimmed. The program's picture scheme answers local pages only, and names what
// it served as the page does.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/jpeg.h"
#include "platform/picture.h"
#include "reduced_pictures/picture_requests.h"
#include "reduced_pictures/reduced_pictures.h"
#include "reduced_pictures/thumbnail_cache.h"
#include "support/png_head.h"
#include "support/test_env.h"
#include "support/web_fixtures.h"

namespace tv::reduced {
namespace {

namespace fs = std::filesystem;

// Left half red, right half blue, so a turned or mirrored picture shows.
void WriteHalves(const std::string& path, int width, int height) {
  ASSERT_TRUE(SaveJpegFile(path, width, height, 85, [width](int, int rows, uint8_t* rgb) {
    for (int r = 0; r < rows; ++r) {
      for (int x = 0; x < width; ++x, rgb += 3) {
        const bool left = x < width / 2;
        rgb[0] = left ? 220 : 20, rgb[1] = 20, rgb[2] = left ? 20 : 220;
      }
    }
    return true;
  }));
}

std::string Short(int v, bool little) {
  return little ? std::string{char(v & 0xFF), char(v >> 8)}
                : std::string{char(v >> 8), char(v & 0xFF)};
}
std::string Long(int v, bool little) {
  return little ? Short(v & 0xFFFF, true) + Short(v >> 16, true)
                : Short(v >> 16, false) + Short(v & 0xFFFF, false);
}

// The payload of an APP1 segment with one IFD entry: the orientation.
std::string ExifPayload(int orientation, bool little) {
  std::string tiff = little ? "II" : "MM";
  tiff += Short(42, little) + Long(8, little) + Short(1, little);
  tiff += Short(0x0112, little) + Short(3, little) + Long(1, little) + Short(orientation, little) +
          Short(0, little);
  return std::string("Exif\0\0", 6) + tiff + Long(0, little);
}

// An uncompressed RGB TIFF of one colour, as cameras and scanners leave them.
void WriteTiff(const std::string& path, int width, int height) {
  const bool le = true;
  const int entries = 9, ifd = 8, bps = ifd + 2 + entries * 12 + 4, data = bps + 6;
  std::string t = "II" + Short(42, le) + Long(ifd, le) + Short(entries, le);
  auto entry = [&](int tag, int type, int count, int value) {
    t += Short(tag, le) + Short(type, le) + Long(count, le) +
         (type == 3 && count == 1 ? Short(value, le) + Short(0, le) : Long(value, le));
  };
  entry(256, 3, 1, width);
  entry(257, 3, 1, height);
  entry(258, 3, 3, bps);
  entry(259, 3, 1, 1);  // no compression
  entry(262, 3, 1, 2);  // RGB
  entry(273, 4, 1, data);
  entry(277, 3, 1, 3);
  entry(278, 3, 1, height);
  entry(279, 4, 1, width * height * 3);
  t += Long(0, le) + Short(8, le) + Short(8, le) + Short(8, le);
  for (int i = 0; i < width * height; ++i) t += std::string("\x28\xA0\x50", 3);
  test::TempHome::WriteAt(path, t);
}

// Decoded with its rows packed into `rgb`, to look at single pixels.
std::optional<Picture> DecodeBytes(const std::string& bytes) {
  std::optional<Picture> p = DecodePicture(bytes);
  if (p) {
    p->rgb.resize(static_cast<size_t>(p->width) * p->height * 3);
    if (!p->Bands()(0, p->height, p->rgb.data())) return std::nullopt;
    p->rows = nullptr;
  }
  return p;
}
// The width and height of a picture decoded whole; 0 x 0 for none.
std::pair<int, int> SizeOf(const std::string& bytes) {
  const std::optional<Picture> p = DecodeBytes(bytes);
  return p ? std::pair{p->width, p->height} : std::pair{0, 0};
}

class Thumbnails : public ::testing::Test {
 protected:
  test::TempHome home;
  ThumbnailCache cache{home.Root() + "/cache/thumbnails", "tessaview-test",
                       home.Root() + "/cache/tessaview"};
  std::string Pic(const std::string& name) { return home.Root() + "/pics/" + name; }
  // `file` written again, later than before, at another size.
  void Rewrite(const std::string& file, int width, int height) {
    WriteHalves(file, width, height);
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
  }
  void SetUp() override { fs::create_directories(home.Root() + "/pics"); }
};

TEST(ThumbnailNames, AddressesAndNamesFollowTheSharedRules) {
  EXPECT_EQ(ThumbnailFileName("file:///home/jens/photos/me.png"),
            "c6ee772d9e49320e97ec29a7eb5b1697.png");
  EXPECT_EQ(FileUri("/p/a b%#?.jpg"), "file:///p/a%20b%25%23%3F.jpg");
  EXPECT_EQ(FileUri("/p/\xb2\xe2.jpg"), "file:///p/%B2%E2.jpg");
}

TEST(ThumbnailNames, TextChunksAreReadWithinTheBytesAndChecked) {
  using test::PngChunk;
  const std::string png = "\x89PNG\r\n\x1a\n" + PngChunk("IHDR", std::string(13, '\0')) +
                          PngChunk("tEXt", std::string("Thumb::URI\0file:///a.jpg", 24)) +
                          PngChunk("tEXt", std::string("Thumb::MTime\0"
                                                       "1700000000",
                                                       23)) +
                          PngChunk("IEND", "");
  auto text = PngTextChunks(png);
  EXPECT_EQ(text["Thumb::URI"], "file:///a.jpg");
  EXPECT_EQ(text["Thumb::MTime"], "1700000000");
  // Cut anywhere, or with a length past the end, nothing is read beyond the bytes.
  for (size_t cut = 0; cut < png.size(); ++cut) PngTextChunks(png.substr(0, cut));
  std::string lying = png;
  lying[8 + 25 + 3] = '\x7f';
  EXPECT_EQ(PngTextChunks(lying).count("Thumb::URI"), 0u);
  EXPECT_TRUE(PngTextChunks("GIF89a").empty());

  SourceStamp stamp{"file:///a.jpg", 1700000000, 1234};
  EXPECT_TRUE(ThumbnailMatches(text, stamp));  // no length written: another program's
  text["Thumb::Size"] = "1235";                // a changed time or address: the cache tests below
  EXPECT_FALSE(ThumbnailMatches(text, stamp));
}

TEST(ScaledDecoding, ScaleAndOrientationAreReadSafely) {
  // Never scaled below what is wanted, however little.
  EXPECT_EQ(JpegScaleDenominator(6000, 4000, 751, 500), 4);
  EXPECT_EQ(JpegScaleDenominator(6000, 4000, 3000, 2001), 1);
  EXPECT_EQ(FitInBox(10000, 1, 128).height, 1);

  EXPECT_EQ(ExifOrientation(ExifPayload(6, false)), 6);
  EXPECT_EQ(ExifOrientation(ExifPayload(8, true)), 8);
  EXPECT_EQ(ExifOrientation(ExifPayload(9, true)), 1);
  const std::string good = ExifPayload(3, true);
  for (size_t cut = 0; cut < good.size(); ++cut) ExifOrientation(good.substr(0, cut));
  std::string far = good;
  far[10] = '\xff';  // the first directory far past the end
  EXPECT_EQ(ExifOrientation(far), 1);
  EXPECT_EQ(ExifOrientation("JFIF"), 1);
}

TEST_F(Thumbnails, ALargePictureBecomesACachedThumbnailWideEnough) {
  const std::string file = Pic("camera.jpg");
  WriteHalves(file, 3000, 2000);
  ReducedPicture made = ReducePicture(cache, file, 300);
  ASSERT_EQ(made.kind, ReducedPicture::kMade);
  auto shown = DecodeBytes(made.bytes);
  ASSERT_TRUE(shown);
  EXPECT_EQ((std::pair{shown->width, shown->height}), (std::pair{512, 341}));  // 256 is narrower
  EXPECT_NEAR(shown->rgb[3 * (170 * 512 + 100)], 220, 12);  // red stays on the left
  EXPECT_NEAR(shown->rgb[3 * (170 * 512 + 400) + 2], 220, 12);

  // The shared cache holds the PNG other programs read, stamped with the file it stands for.
  auto stamp = StampOf(file);
  const std::string stored = cache.PathOf(stamp->uri, 2);
  const std::string shared = test::ReadFile(stored);
  EXPECT_EQ(SizeOf(shared).first, 512);
  using P = fs::perms;
  EXPECT_EQ(fs::status(stored).permissions(), P::owner_read | P::owner_write);
  EXPECT_EQ(fs::status(fs::path(stored).parent_path()).permissions(), P::owner_all);
  auto text = PngTextChunks(shared);
  EXPECT_EQ((std::vector{text["Thumb::URI"], text["Thumb::MTime"], text["Thumb::Image::Width"]}),
            (std::vector{stamp->uri, std::to_string(stamp->mtime), std::string("3000")}));
  for (const auto& e : fs::directory_iterator(fs::path(stored).parent_path()))
    EXPECT_EQ(e.path(), stored);  // no temp left beside it
  const std::string twin = cache.WidePathOf(*stamp, 512);
  EXPECT_EQ(test::ReadFile(twin), made.bytes);

  // Read back, not made again; other widths take other sizes.
  const auto written = fs::last_write_time(stored);
  EXPECT_EQ(ReducePicture(cache, file, 300).bytes, made.bytes);
  EXPECT_EQ(fs::last_write_time(stored), written);
  // A narrower page takes the larger thumbnail there is rather than making a new one.
  EXPECT_EQ(ReducePicture(cache, file, 100).bytes, made.bytes);
  EXPECT_FALSE(fs::exists(cache.PathOf(stamp->uri, 0)));
  // Without its twin the shared thumbnail is twinned again, not made again.
  fs::remove(twin);
  EXPECT_EQ(SizeOf(ReducePicture(cache, file, 300).bytes).first, 512);
  EXPECT_TRUE(fs::exists(twin));
  EXPECT_EQ(fs::last_write_time(stored), written);
  fs::remove(stored);
  fs::remove(twin);
  EXPECT_EQ(SizeOf(ReducePicture(cache, file, 100).bytes).first, 128);
  EXPECT_TRUE(fs::exists(cache.PathOf(stamp->uri, 0)));

  // Another file's thumbnail found under this name is not taken, but made anew.
  const std::string other = Pic("other.jpg");
  WriteHalves(other, 3000, 2000);
  ASSERT_EQ(ReducePicture(cache, other, 200).kind, ReducedPicture::kMade);
  fs::copy_file(cache.PathOf(StampOf(other)->uri, 1), cache.PathOf(stamp->uri, 1));
  EXPECT_EQ(SizeOf(ReducePicture(cache, file, 200).bytes), (std::pair{256, 171}));
  EXPECT_EQ(PngTextChunks(test::ReadFile(cache.PathOf(stamp->uri, 1)))["Thumb::URI"], stamp->uri);
}

TEST_F(Thumbnails, AChangedFileGetsANewThumbnail) {
  const std::string file = Pic("changing.jpg");
  WriteHalves(file, 2000, 1000);
  const std::string first = ReducePicture(cache, file, 400).bytes;
  ASSERT_FALSE(first.empty());
  Rewrite(file, 1000, 2000);
  ReducedPicture second = ReducePicture(cache, file, 400);
  ASSERT_EQ(second.kind, ReducedPicture::kMade);
  // Taller now, so only xx-large is wide enough.
  EXPECT_EQ(SizeOf(second.bytes), (std::pair{512, 1024}));
  EXPECT_EQ(PngTextChunks(test::ReadFile(cache.PathOf(StampOf(file)->uri, 3)))["Thumb::MTime"],
            std::to_string(StampOf(file)->mtime));
}

TEST_F(Thumbnails, CameraOrientationIsAppliedAndNoWiderThanShownIsTheFileItself) {
  const std::string file = Pic("turned.jpg");
  WriteHalves(file, 3000, 2000);
  EXPECT_EQ(ReducePicture(cache, file, 0).kind, ReducedPicture::kOriginal);
  EXPECT_FALSE(fs::exists(home.Root() + "/cache"));
  // Stored on its side: turn clockwise to show.
  test::TempHome::WriteAt(file, test::WithOrientation(test::ReadFile(file), 6));
  auto shown = DecodeBytes(ReducePicture(cache, file, 300).bytes);
  ASSERT_TRUE(shown);
  EXPECT_EQ((std::pair{shown->width, shown->height}), (std::pair{341, 512}));
  // The stored left (red) half is on top after a clockwise turn.
  EXPECT_NEAR(shown->rgb[3 * (50 * 341 + 170)], 220, 12);
  EXPECT_NEAR(shown->rgb[3 * (450 * 341 + 170) + 2], 220, 12);
  // Shown 2000 wide: a page showing it 2000 wide gets the file.
  EXPECT_EQ(ReducePicture(cache, file, 2000).kind, ReducedPicture::kOriginal);
}

TEST_F(Thumbnails, WiderThanTheLargestSizeIsKeptByWidthAndStamp) {
  const std::string file = Pic("wide.jpg");
  WriteHalves(file, 3000, 2000);
  ReducedPicture made = ReducePicture(cache, file, 1500);
  ASSERT_EQ(made.kind, ReducedPicture::kMade);
  EXPECT_EQ(SizeOf(made.bytes), (std::pair{1500, 1000}));
  const std::string kept = cache.WidePathOf(*StampOf(file), 1500);
  EXPECT_EQ(test::ReadFile(kept), made.bytes);
  EXPECT_EQ(ReducePicture(cache, file, 1500).bytes, made.bytes);
  // A changed file is looked for under another name.
  Rewrite(file, 2400, 2000);
  EXPECT_NE(cache.WidePathOf(*StampOf(file), 1500), kept);
  EXPECT_EQ(SizeOf(ReducePicture(cache, file, 1500).bytes).second, 1250);
}

TEST_F(Thumbnails, TiffIsConvertedAtEveryWidth) {
  const std::string file = Pic("scan.tif");
  WriteTiff(file, 600, 400);
  ReducedPicture whole = ReducePicture(cache, file, 0);
  ASSERT_EQ(whole.kind, ReducedPicture::kMade);
  auto shown = DecodeBytes(whole.bytes);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->rgb[0], 0x28);
  EXPECT_EQ(shown->rgb[1], 0xA0);
  // The whole one is the largest size's thumbnail, which serves narrower pages too.
  EXPECT_EQ(SizeOf(ReducePicture(cache, file, 200).bytes).first, 600);
  fs::remove(cache.PathOf(StampOf(file)->uri, 3));
  EXPECT_EQ(SizeOf(ReducePicture(cache, file, 200).bytes).first, 256);
}

TEST_F(Thumbnails, ADamagedPictureIsRememberedAsFailedUntilItChanges) {
  const std::string file = Pic("broken.jpg");
  test::TempHome::WriteAt(file, std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + "garbage");
  EXPECT_EQ(ReducePicture(cache, file, 300).kind, ReducedPicture::kFailed);
  EXPECT_TRUE(cache.Failed(*StampOf(file)));

  Rewrite(file, 1000, 800);
  EXPECT_FALSE(cache.Failed(*StampOf(file)));
  EXPECT_EQ(ReducePicture(cache, file, 300).kind, ReducedPicture::kMade);

  EXPECT_EQ(ReducePicture(cache, Pic("missing.jpg"), 300).kind, ReducedPicture::kFailed);
  EXPECT_EQ(ReducePicture(cache, home.Root() + "/pics", 300).kind, ReducedPicture::kFailed);
}

TEST_F(Thumbnails, OnlyTheProgramsOwnFilesAreTrimmedOldestFirst) {
  const std::string root = home.Root() + "/cache/thumbnails";
  const auto now = fs::file_time_type::clock::now();
  auto put = [&](const std::string& path, const std::string& bytes, int days_old) {
    test::TempHome::WriteAt(path, bytes);
    fs::last_write_time(path, now - std::chrono::hours(24 * days_old));
    return path;
  };
  // A shared thumbnail says who wrote it; 400 bytes each.
  auto png = [](const char* software) {
    const std::string bytes =
        "\x89PNG\r\n\x1a\n" + test::PngChunk("tEXt", std::string("Software") + '\0' + software);
    return bytes + std::string(400 - bytes.size(), 'x');
  };
  const std::string oldest = put(root + "/large/a.png", png("Tessaview"), 30);
  const std::string failed = put(root + "/fail/tessaview-7.0/b.png", png("tessaview-7.0"), 20);
  const std::string newer =
      put(home.Root() + "/cache/tessaview/wide/c-1500-1-2.jpg", std::string(400, 'j'), 10);
  const std::string newest = put(root + "/x-large/d.png", png("Tessaview"), 1);
  // Other programs' files, older than all of them, and a temp of a writer.
  const std::string gimp = put(root + "/large/e.png", png("GNOME::ThumbnailFactory"), 90);
  const std::string unsigned_png = put(root + "/normal/f.png", std::string(4000, 'p'), 90);
  const std::string theirs_failed = put(root + "/fail/gnome-thumbnail-factory/g.png", png("x"), 90);
  const std::string temp = put(root + "/x-large/.d.png.tmp-1", png("Tessaview"), 40);
  const std::string outside = home.Root() + "/mine.png";
  test::TempHome::WriteAt(outside, png("Tessaview"));
  fs::create_symlink(outside, root + "/normal/link.png");
  // Where an earlier version kept its wide pictures: removed whole.
  const std::string old_wide = put(root + "/tessaview-8.1-wide/h-1500-1-2.jpg", "j", 1);

  EXPECT_EQ(TrimThumbnails(cache, 4000), 1);  // under the cap: only the old folder goes
  EXPECT_FALSE(fs::exists(fs::path(old_wide).parent_path()));
  // 1,600 bytes of the program's own against a cap of 1,000: down to 750, oldest first.
  EXPECT_EQ(TrimThumbnails(cache, 1000), 3);
  EXPECT_FALSE(fs::exists(oldest));
  EXPECT_FALSE(fs::exists(failed));
  EXPECT_FALSE(fs::exists(newer));
  EXPECT_TRUE(fs::exists(newest));
  for (const auto& kept : {gimp, unsigned_png, theirs_failed, temp, outside})
    EXPECT_TRUE(fs::exists(kept)) << kept;
  EXPECT_EQ(TrimThumbnails(ThumbnailCache(home.Root() + "/none", "t", home.Root() + "/n2"), 1), 0);
}

TEST(PictureRequests, OnlyALocalPageGetsALocalPicture) {
  const char* asked = "tessaview-file:///home/u/a%20b%23.jpg";
  for (const char* page : {"http://127.0.0.1/x.htm", "https://example.org/", "about:blank",
                           "data:text/html,<img>", ""}) {
    EXPECT_FALSE(ReadPictureRequest(page, asked)) << page;
  }
  const auto request = ReadPictureRequest("file:///run/user/1/tessaview/1/Tpc.htm", asked);
  ASSERT_TRUE(request);
  // The escapes stay for the address-to-path conversion, which decodes them once.
  EXPECT_EQ(request->file_address, "file:///home/u/a%20b%23.jpg");
  EXPECT_FALSE(request->whole);
  // Only the scheme's own addresses are read; a look-alike name is not the scheme.
  EXPECT_FALSE(ReadPictureRequest("file:///p.htm", "tessaview-files:///a.jpg"));
  EXPECT_FALSE(ReadPictureRequest("file:///p.htm", "file:///a.jpg"));
  // The whole-picture query alone asks for the picture's own size.
  for (const char* query : {"?tessaview-whole", "?x=tessaview-whole"}) {
    const auto asked =
        ReadPictureRequest("file:///p.htm", std::string("tessaview-file:///a.jpg") + query);
    ASSERT_TRUE(asked) << query;
    EXPECT_EQ(asked->whole, query == std::string("?tessaview-whole")) << query;
    EXPECT_EQ(asked->file_address, "file:///a.jpg") << query;
  }
  // Widths are by path and scale with the screen.
  const PictureWidths widths({{"/a.jpg", 150}, {"/c.jpg", -3}});
  EXPECT_EQ((std::vector<int>{widths.Shown("/a.jpg", 2), widths.Shown("/a.jpg", 0),
                              widths.Shown("/c.jpg", 1), widths.Shown("/unnamed.jpg", 1)}),
            (std::vector<int>{300, 150, 0, 0}));
  EXPECT_EQ(AsPageNamesIt("http://x/tessaview-file:a"), "http://x/tessaview-file:a");
}

}  // namespace
}  // namespace tv::reduced
