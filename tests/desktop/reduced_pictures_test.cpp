// SPDX-License-Identifier: GPL-3.0-or-later
// The real engine on a folder of a camera picture, a small picture, a TIFF and a damaged
// file: the engine receives pictures no larger than the layout shows them, the files
// themselves where the layout shows them whole, the TIFF converted, and the damaged file
// as a broken picture remembered as failed; the page and its document stay as written; a
// copy the engine kept is never shown at another layout's size or after its file changed.
// WebP, AVIF and HEIF pictures (made here; a kind without a loader or an encoder on this
// system is left out) are listed and shown: a wide WebP arrives reduced, AVIF and HEIF
// arrive converted by the program.
#include <cstdlib>
#include <tuple>

#include "desktop/desktop_gallery.h"
#include "gallery/page_lines.h"
#include "platform/gtk/local_pictures.h"
#include "support/made_pictures.h"
#include "text/text_util.h"

namespace tv {
namespace {

using test::DesktopGalleryTest;
using test::Rgb;

constexpr Rgb kScanColour{40, 160, 80};

// gdk-pixbuf writes WebP and AVIF; HEIF is left to ImageMagick.
bool Make(const std::string& path, const char* kind, int width, int height) {
  GdkPixbuf* p = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  gdk_pixbuf_fill(p, 0xC85A28FF);
  bool made = std::string(kind) != "heic" &&
              gdk_pixbuf_save(p, path.c_str(), kind, nullptr, nullptr) != FALSE;
  g_object_unref(p);
  return made || test::MakeWithConvert(path, width, height);
}

class ReducedPicturesOnTheDesktop : public DesktopGalleryTest {
 protected:
  void MakePictures() override {
    test::WriteSolidJpeg(Folder() + "/a camera.jpg", 3000, 2000);
    test::WriteSolidJpeg(Folder() + "/b small.jpg", 200, 100);
    GdkPixbuf* scan = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 300, 200);
    gdk_pixbuf_fill(scan, guint32{kScanColour.r} << 24 | guint32{kScanColour.g} << 16 |
                              guint32{kScanColour.b} << 8 | 0xFF);
    ASSERT_TRUE(
        gdk_pixbuf_save(scan, (Folder() + "/c scan.tif").c_str(), "tiff", nullptr, nullptr));
    g_object_unref(scan);
    test::TempHome::WriteAt(Folder() + "/d broken.jpg", "\xFF\xD8\xFF not a picture at all");
    for (const auto& [kind, name, width, height] : {std::tuple{"webp", "/e wide.webp", 2400, 1600},
                                                    {"avif", "/f.avif", 300, 200},
                                                    {"heic", "/g.heic", 300, 200}}) {
      if (test::Decodable(kind) && Make(Folder() + name, kind, width, height))
        kinds.push_back(kind);
    }
  }
  std::vector<std::string> kinds;  // made and decodable, after the four, in listing order
  size_t Count() const { return 4 + kinds.size(); }

  // naturalWidth,width of every picture: what the engine received and how wide it shows it.
  std::vector<std::pair<int, int>> Received() {
    std::vector<std::pair<int, int>> out;
    WaitUntil(
        [&] { return Eval("Array.from(document.images).every(i=>i.complete)+''") == "true"; });
    const std::string text =
        Eval("Array.from(document.images).map(i=>i.naturalWidth+','+i.width).join(';')");
    for (size_t at = 0; at < text.size();) {
      int natural = -1, shown = -1;
      std::sscanf(text.c_str() + at, "%d,%d", &natural, &shown);
      out.emplace_back(natural, shown);
      const size_t next = text.find(';', at);
      at = next == std::string::npos ? text.size() : next + 1;
    }
    return out;
  }

  Rgb ShownAt(test::ScreenPoint p) {
    auto* view = dynamic_cast<WebKitHtmlView*>(&View());
    cairo_surface_t* image = view->VisibleImage();
    Rgb rgb;
    if (!image) return rgb;
    cairo_surface_flush(image);
    const unsigned char* row =
        cairo_image_surface_get_data(image) + p.y * cairo_image_surface_get_stride(image);
    const uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[p.x];
    rgb = {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)};
    cairo_surface_destroy(image);
    return rgb;
  }
};

bool Near(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) < 12 && std::abs(a.g - b.g) < 12 && std::abs(a.b - b.b) < 12;
}

TEST_F(ReducedPicturesOnTheDesktop, TheEngineReceivesPicturesAsLargeAsShown) {
  const auto cache = PageThumbnails();
  Run({[&] {
         Settle();
         const int v = ViewWidthPixels(Gallery().page_view->Width());
         auto got = Received();
         ASSERT_EQ(got.size(), Count());
         // One a line: the camera picture shrunk to the view arrives no larger than that
         // (the largest cached size, or made at the view's width), yet shows as before.
         EXPECT_EQ(got[0].second, v);
         EXPECT_EQ(got[0].first, v <= 1024 ? 1024 : v);
         EXPECT_EQ(got[1], std::make_pair(200, 200));  // the file itself
         EXPECT_EQ(got[2], std::make_pair(300, 300));  // converted, at its own size
         EXPECT_EQ(got[3].first, 0);                   // broken
         auto stamp = reduced::StampOf(Folder() + "/d broken.jpg");
         EXPECT_TRUE(cache.Failed(*stamp));
         for (size_t i = 0; i < kinds.size(); ++i) {
           const auto [natural, shown] = got[4 + i];
           if (kinds[i] == "webp") {  // shrunk to the view, it arrives no larger than shown
             EXPECT_EQ(shown, v);
             EXPECT_GE(natural, v);
             EXPECT_LT(natural, 2400);
           } else {  // converted, at its own size
             EXPECT_EQ(natural, 300) << kinds[i];
             EXPECT_EQ(shown, 300) << kinds[i];
           }
         }
       },
       [&] {
         Gallery().layout = 3;
         Gallery().WritePage();
       },
       [&] {
         Settle();
         auto got = Received();
         ASSERT_EQ(got.size(), Count());
         EXPECT_EQ(got[0].first, 512);  // x-large: the smallest size at least as wide
         EXPECT_EQ(got[0].second, ThumbnailWidth(3, ViewWidthPixels(Gallery().page_view->Width())));
         auto stamp = reduced::StampOf(Folder() + "/a camera.jpg");
         EXPECT_TRUE(cache.Find(*stamp, 2));
         // Painted: the TIFF's colour where it shows, the camera picture's where it shows.
         Pause(200);
         EXPECT_TRUE(Near(ShownAt(PictureCentre(2)), kScanColour));
         EXPECT_TRUE(Near(ShownAt(PictureCentre(0)), test::kPictureColour));
         // The document still names the files.
         EXPECT_EQ(PathFromStatusText(Eval("document.images[0].src")), Folder() + "/a camera.jpg");
       },
       [&] {
         Gallery().CycleWidthMode();  // stretched
         Gallery().CycleWidthMode();  // every picture at its own size
       },
       [&] {
         Settle();
         auto got = Received();
         ASSERT_EQ(got.size(), Count());
         EXPECT_EQ(got[0], std::make_pair(3000, 3000));
         EXPECT_EQ(got[2], std::make_pair(300, 300));
         Gallery().CycleWidthMode();  // back to one a line
       },
       [&] {
         Settle();
         ASSERT_EQ(Received().size(), Count());
         // A picture changed since: the same page written again shows the file as it is now.
         test::WriteSolidJpeg(Folder() + "/b small.jpg", 400, 100);
         Gallery().WritePage();
       },
       [&] {
         Settle();
         auto got = Received();
         ASSERT_EQ(got.size(), Count());
         EXPECT_EQ(got[1], std::make_pair(400, 400));
         CloseBox();
       }});
}

}  // namespace
}  // namespace tv
