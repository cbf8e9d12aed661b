// SPDX-License-Identifier: GPL-3.0-or-later
// The real gallery on a folder of WebP, AVIF and HEIF pictures (made here; a kind without
// a loader or an encoder on this system is left out): each is listed and shown, a wide
// WebP arrives reduced, AVIF and HEIF arrive converted by the program.
#include <cstdlib>

#include "desktop/desktop_gallery.h"
#include "gallery/page_lines.h"
#include "support/made_pictures.h"

namespace tv {
namespace {

using test::Decodable;
using test::DesktopGalleryTest;

// gdk-pixbuf writes WebP and AVIF; HEIF is left to ImageMagick.
bool Make(const std::string& path, const char* kind, int width, int height) {
  GdkPixbuf* p = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  gdk_pixbuf_fill(p, 0xC85A28FF);
  bool made = std::string(kind) != "heic" &&
              gdk_pixbuf_save(p, path.c_str(), kind, nullptr, nullptr) != FALSE;
  g_object_unref(p);
  return made || test::MakeWithConvert(path, width, height);
}

class PictureKindsOnTheDesktop : public DesktopGalleryTest {
 protected:
  void MakePictures() override {
    if (Decodable("webp") && Make(Folder() + "/a wide.webp", "webp", 2400, 1600))
      kinds.push_back("webp");
    if (Decodable("avif") && Make(Folder() + "/b.avif", "avif", 300, 200)) kinds.push_back("avif");
    if (Decodable("heic") && Make(Folder() + "/c.heic", "heic", 300, 200)) kinds.push_back("heic");
  }
  std::vector<std::string> kinds;  // made and decodable, in listing order
};

TEST_F(PictureKindsOnTheDesktop, EachIsListedAndShownThroughTheReducedPictures) {
  if (kinds.empty()) GTEST_SKIP() << "no WebP, AVIF or HEIF loader with an encoder here";
  Run({[&] {
    Settle();
    ASSERT_EQ(State().pictures.count, static_cast<int>(kinds.size()));
    WaitUntil(
        [&] { return Eval("Array.from(document.images).every(i=>i.complete)+''") == "true"; });
    const int v = ViewWidthPixels(Gallery().page_view->Width());
    for (size_t i = 0; i < kinds.size(); ++i) {
      const std::string img = "document.images[" + std::to_string(i) + "]";
      const int natural = std::atoi(Eval(img + ".naturalWidth+''").c_str());
      const int shown = std::atoi(Eval(img + ".width+''").c_str());
      if (kinds[i] == "webp") {
        // Shrunk to the view: it arrives no larger than the layout shows it.
        EXPECT_EQ(shown, v);
        EXPECT_GE(natural, v);
        EXPECT_LT(natural, 2400);
      } else {
        EXPECT_EQ(natural, 300) << kinds[i];  // converted, at its own size
        EXPECT_EQ(shown, 300) << kinds[i];
      }
    }
    CloseBox();
  }});
}

}  // namespace
}  // namespace tv
