// Decoding with gdk-pixbuf, which needs no display: the same decoders the desktop uses.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstring>
#include <memory>

#include "platform/picture.h"

namespace tv {

namespace {

// Far past any picture of a page; a larger one would be a decoder bomb.
constexpr int64_t kMaxPixels = 200'000'000;

void OnSizePrepared(GdkPixbufLoader* loader, int width, int height, gpointer refused) {
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) {
    *static_cast<bool*>(refused) = true;
    gdk_pixbuf_loader_set_size(loader, 1, 1);
  }
}

}  // namespace

std::optional<Picture> DecodePicture(std::string_view bytes) {
  if (bytes.size() < 8) return std::nullopt;  // what a view holds of a picture still loading
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  bool refused = false;
  g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), &refused);
  const bool written = gdk_pixbuf_loader_write(
      loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), nullptr);
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
  GdkPixbuf* pixbuf =
      written && closed && !refused ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
  std::optional<Picture> picture;
  if (pixbuf && gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
      gdk_pixbuf_get_bits_per_sample(pixbuf) == 8) {
    Picture p;
    p.width = gdk_pixbuf_get_width(pixbuf);
    p.height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
    p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
    uint8_t* out = p.rgb.data();
    for (int y = 0; y < p.height; ++y) {
      const guchar* in = pixels + static_cast<size_t>(y) * stride;
      for (int x = 0; x < p.width; ++x, in += channels, out += 3) {
        const int a = alpha ? in[3] : 255;
        for (int c = 0; c < 3; ++c)
          out[c] = static_cast<uint8_t>((in[c] * a + 255 * (255 - a)) / 255);
      }
    }
    picture = std::move(p);
  }
  g_object_unref(loader);
  return picture;
}

}  // namespace tv
