// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding with gdk-pixbuf, which needs no display: the same decoders the desktop uses.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/picture.h"

namespace tv {

namespace {

// The loader learns the size from the first bytes; a refused picture gets no more.
constexpr size_t kPiece = 64 * 1024;

void OnSizePrepared(GdkPixbufLoader* loader, int width, int height, gpointer refused) {
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPicturePixels) {
    *static_cast<bool*>(refused) = true;
    // Asked for no pixels, the decoders stop before they allocate the picture, which they
    // would otherwise do at its full size right after this signal.
    gdk_pixbuf_loader_set_size(loader, 0, 0);
  }
}

// Rows of the decoder's pixels as packed RGB, transparency laid over white.
BandSource RowsOf(GdkPixbuf* pixbuf) {
  std::shared_ptr<GdkPixbuf> held(GDK_PIXBUF(g_object_ref(pixbuf)), g_object_unref);
  return [held](int first_row, int rows, uint8_t* out) {
    GdkPixbuf* p = held.get();
    const int width = gdk_pixbuf_get_width(p), height = gdk_pixbuf_get_height(p);
    if (first_row < 0 || rows < 0 || first_row > height - rows) return false;
    const int channels = gdk_pixbuf_get_n_channels(p);
    const int stride = gdk_pixbuf_get_rowstride(p);
    const bool alpha = gdk_pixbuf_get_has_alpha(p);
    const guchar* pixels = gdk_pixbuf_read_pixels(p);
    for (int y = first_row; y < first_row + rows; ++y) {
      const guchar* in = pixels + static_cast<size_t>(y) * stride;
      for (int x = 0; x < width; ++x, in += channels, out += 3) {
        const int a = alpha ? in[3] : 255;
        for (int c = 0; c < 3; ++c)
          out[c] = static_cast<uint8_t>((in[c] * a + 255 * (255 - a)) / 255);
      }
    }
    return true;
  };
}

// The JPEG and PNG decoders fill a file cut short with grey or black and call it whole,
// so its end is looked for here. A JPEG's last scan ends at the end-of-image marker
// (within a scan 0xFF is always followed by 0 or a restart marker, so both markers are
// found by their bytes); a PNG ends with its IEND chunk.
bool CutShort(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xff\xd8") {
    const size_t last_scan = bytes.rfind("\xff\xda");
    const size_t end = bytes.rfind("\xff\xd9");
    return last_scan == std::string_view::npos || end == std::string_view::npos || end < last_scan;
  }
  if (bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) {
    return bytes.rfind("IEND") == std::string_view::npos;
  }
  return false;
}

}  // namespace

std::optional<Picture> DecodePicture(std::string_view bytes, DecodeFault* fault) {
  if (fault) *fault = DecodeFault::kUnknownFormat;
  if (bytes.size() < 8) return std::nullopt;  // what a view holds of a picture still loading
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  bool refused = false;
  g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), &refused);
  bool written = true;
  for (size_t at = 0; at < bytes.size() && written && !refused; at += kPiece) {
    const size_t n = std::min(kPiece, bytes.size() - at);
    written = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data() + at), n,
                                      nullptr);
  }
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr) && !CutShort(bytes);
  GdkPixbuf* pixbuf =
      written && closed && !refused ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
  std::optional<Picture> picture;
  if (pixbuf && gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
      gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 && gdk_pixbuf_get_n_channels(pixbuf) >= 3) {
    // Upright as pages and the detail window show it: a camera's EXIF orientation turns
    // the pixels (no copy when there is none).
    GdkPixbuf* upright = gdk_pixbuf_apply_embedded_orientation(pixbuf);
    if (upright) {
      Picture p;
      p.width = gdk_pixbuf_get_width(upright);
      p.height = gdk_pixbuf_get_height(upright);
      p.rows = RowsOf(upright);
      g_object_unref(upright);
      picture = std::move(p);
    }
  }
  if (fault) {
    // A decoder that took the first bytes knew the format: the rest is what failed. Pixels
    // of a kind not read here are a format the view may still stand in for.
    *fault = picture                                           ? DecodeFault::kNone
             : refused                                         ? DecodeFault::kTooLarge
             : !pixbuf && gdk_pixbuf_loader_get_format(loader) ? DecodeFault::kDamaged
                                                               : DecodeFault::kUnknownFormat;
  }
  g_object_unref(loader);
  return picture;
}

}  // namespace tv
