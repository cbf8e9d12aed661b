// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/reduced_pictures.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <optional>

#include <unistd.h>

#include "platform/posix/posix_io.h"

namespace tv::reduced {

namespace {

// Far past any camera; a larger picture would be a decoder bomb.
constexpr int64_t kMaxPixels = 200'000'000;

struct Header {
  bool jpeg = false;
  bool engine_reads = false;  // the engine decodes this format itself
  int width = 0;              // as stored
  int height = 0;
  int orientation = 1;
  // As shown: a quarter turn swaps the sides.
  int ShownWidth() const { return orientation >= 5 ? height : width; }
  int ShownHeight() const { return orientation >= 5 ? width : height; }
};

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}
void OnJpegMessage(j_common_ptr, int) {}  // damaged data decodes as far as it goes, quietly

// A libjpeg decompressor on an open file; everything after Open() must run inside the
// setjmp of the caller's frame, so the steps are spelled out where they are used.
struct JpegFile {
  FILE* file = nullptr;
  jpeg_decompress_struct info{};
  JpegError error{};
  ~JpegFile() {
    jpeg_destroy_decompress(&info);
    if (file) std::fclose(file);
  }
  bool Open(const std::string& path) {
    posix::UniqueFd fd = posix::OpenRegularForReading(path);
    if (!fd.Valid()) return false;
    file = fdopen(fd.Get(), "rb");
    if (!file) return false;
    fd.Release();
    info.err = jpeg_std_error(&error.mgr);
    error.mgr.error_exit = OnJpegError;
    error.mgr.emit_message = OnJpegMessage;
    return true;
  }
};

bool StartsAsJpeg(const std::string& path) {
  posix::UniqueFd fd = posix::OpenRegularForReading(path);
  unsigned char magic[3] = {};
  return fd.Valid() && read(fd.Get(), magic, 3) == 3 && magic[0] == 0xFF && magic[1] == 0xD8 &&
         magic[2] == 0xFF;
}

bool ReadJpegHeader(const std::string& path, Header& header) {
  JpegFile jpeg;
  if (!jpeg.Open(path)) return false;
  if (setjmp(jpeg.error.jump)) return false;
  jpeg_create_decompress(&jpeg.info);
  jpeg_stdio_src(&jpeg.info, jpeg.file);
  jpeg_save_markers(&jpeg.info, JPEG_APP0 + 1, 0xFFFF);
  if (jpeg_read_header(&jpeg.info, TRUE) != JPEG_HEADER_OK) return false;
  header.jpeg = true;
  header.engine_reads = true;
  header.width = static_cast<int>(jpeg.info.image_width);
  header.height = static_cast<int>(jpeg.info.image_height);
  for (jpeg_saved_marker_ptr m = jpeg.info.marker_list; m; m = m->next) {
    const int o =
        ExifOrientation(std::string_view(reinterpret_cast<const char*>(m->data), m->data_length));
    if (o != 1) header.orientation = o;
  }
  return true;
}

bool ReadHeader(const std::string& path, Header& header) {
  if (StartsAsJpeg(path)) return ReadJpegHeader(path, header);
  GdkPixbufFormat* format = gdk_pixbuf_get_file_info(path.c_str(), &header.width, &header.height);
  if (!format) return false;
  gchar* name = gdk_pixbuf_format_get_name(format);
  // The kinds every build of the engine reads; the others (TIFF, HEIF, AVIF) are made
  // into PNG here.
  header.engine_reads = false;
  for (const char* kind : {"png", "gif", "bmp", "webp", "ico"}) {
    if (std::strcmp(name, kind) == 0) header.engine_reads = true;
  }
  g_free(name);
  return true;
}

bool Plausible(const Header& h) {
  return h.width > 0 && h.height > 0 && int64_t{h.width} * h.height <= kMaxPixels;
}

// Decoded straight at a reduced scale: the engine's cost of a camera picture is the full
// decode, which the scaled decoder mostly skips.
GdkPixbuf* DecodeJpegCovering(const std::string& path, int want_width, int want_height) {
  JpegFile jpeg;
  if (!jpeg.Open(path)) return nullptr;
  GdkPixbuf* volatile pixbuf = nullptr;
  if (setjmp(jpeg.error.jump)) {
    if (pixbuf) g_object_unref(pixbuf);
    return nullptr;
  }
  jpeg_create_decompress(&jpeg.info);
  jpeg_stdio_src(&jpeg.info, jpeg.file);
  if (jpeg_read_header(&jpeg.info, TRUE) != JPEG_HEADER_OK) return nullptr;
  if (jpeg.info.jpeg_color_space == JCS_CMYK || jpeg.info.jpeg_color_space == JCS_YCCK)
    return nullptr;  // left to gdk-pixbuf, which knows the inverted CMYK of some programs
  jpeg.info.scale_num = 1;
  jpeg.info.scale_denom = static_cast<unsigned>(
      JpegScaleDenominator(static_cast<int>(jpeg.info.image_width),
                           static_cast<int>(jpeg.info.image_height), want_width, want_height));
  jpeg.info.out_color_space = JCS_RGB;
  jpeg.info.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&jpeg.info);
  pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, static_cast<int>(jpeg.info.output_width),
                          static_cast<int>(jpeg.info.output_height));
  if (!pixbuf) return nullptr;
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  while (jpeg.info.output_scanline < jpeg.info.output_height) {
    JSAMPROW row = pixels + static_cast<size_t>(jpeg.info.output_scanline) * stride;
    jpeg_read_scanlines(&jpeg.info, &row, 1);
  }
  jpeg_finish_decompress(&jpeg.info);
  return pixbuf;
}

GdkPixbuf* Oriented(GdkPixbuf* pixbuf, int orientation) {
  if (!pixbuf || orientation <= 1 || orientation > 8) return pixbuf;
  // EXIF 2 to 8: flips and turns that bring the stored rows upright.
  static constexpr struct {
    bool flip_first;
    GdkPixbufRotation turn;
  } kSteps[] = {{true, GDK_PIXBUF_ROTATE_NONE},
                {false, GDK_PIXBUF_ROTATE_UPSIDEDOWN},
                {true, GDK_PIXBUF_ROTATE_UPSIDEDOWN},
                {true, GDK_PIXBUF_ROTATE_COUNTERCLOCKWISE},
                {false, GDK_PIXBUF_ROTATE_CLOCKWISE},
                {true, GDK_PIXBUF_ROTATE_CLOCKWISE},
                {false, GDK_PIXBUF_ROTATE_COUNTERCLOCKWISE}};
  const auto& step = kSteps[orientation - 2];
  GdkPixbuf* out = pixbuf;
  if (step.flip_first) {
    GdkPixbuf* flipped = gdk_pixbuf_flip(out, TRUE);
    g_object_unref(out);
    out = flipped;
  }
  if (out && step.turn != GDK_PIXBUF_ROTATE_NONE) {
    GdkPixbuf* turned = gdk_pixbuf_rotate_simple(out, step.turn);
    g_object_unref(out);
    out = turned;
  }
  return out;
}

// The picture upright at exactly `width` x `height` (as shown).
GdkPixbuf* Decode(const std::string& path, const Header& header, int width, int height) {
  const bool turned = header.orientation >= 5;
  const int stored_w = turned ? height : width, stored_h = turned ? width : height;
  GdkPixbuf* pixbuf = nullptr;
  if (header.jpeg) pixbuf = DecodeJpegCovering(path, stored_w, stored_h);
  if (pixbuf) {
    pixbuf = Oriented(pixbuf, header.orientation);
  } else {
    pixbuf = gdk_pixbuf_new_from_file_at_scale(path.c_str(), stored_w, stored_h, FALSE, nullptr);
    if (pixbuf) {
      GdkPixbuf* upright = gdk_pixbuf_apply_embedded_orientation(pixbuf);
      g_object_unref(pixbuf);
      pixbuf = upright;
    }
  }
  if (!pixbuf) return nullptr;
  const int pw = gdk_pixbuf_get_width(pixbuf), ph = gdk_pixbuf_get_height(pixbuf);
  if (pw != width || ph != height) {
    // A format that turns itself may swap the header's sides: keep the proportions the
    // decoded picture has, at the asked width.
    if (double(pw) / ph != double(width) / height && ph == width && pw == height) {
      height = std::max(1, static_cast<int>(std::lround(double(ph) * width / pw)));
    }
    GdkPixbuf* scaled = gdk_pixbuf_scale_simple(pixbuf, width, height, GDK_INTERP_BILINEAR);
    g_object_unref(pixbuf);
    pixbuf = scaled;
  }
  return pixbuf;
}

bool Encode(GdkPixbuf* pixbuf, const char* type, std::string& out, const char** keys,
            const char** values) {
  gchar* buffer = nullptr;
  gsize length = 0;
  GError* error = nullptr;
  const bool saved = gdk_pixbuf_save_to_bufferv(
      pixbuf, &buffer, &length, type, const_cast<char**>(keys), const_cast<char**>(values), &error);
  if (error) g_error_free(error);
  if (!saved) return false;
  out.assign(buffer, length);
  g_free(buffer);
  return true;
}

bool EncodeJpeg(GdkPixbuf* pixbuf, std::string& out) {
  if (gdk_pixbuf_get_has_alpha(pixbuf)) return false;
  const char* keys[] = {"quality", nullptr};
  const char* values[] = {"92", nullptr};
  return Encode(pixbuf, "jpeg", out, keys, values);
}

ReducedPicture AsJpeg(std::string bytes) {
  ReducedPicture out;
  out.kind = ReducedPicture::kMade;
  out.mime = "image/jpeg";
  out.bytes = std::move(bytes);
  return out;
}

// A JPEG the program keeps in its own folder, when it is there.
std::optional<ReducedPicture> KeptJpeg(const std::string& path) {
  std::string kept;
  if (posix::ReadFileLimited(path, kept, 64u << 20) != posix::ReadResult::kOk || kept.size() <= 4)
    return std::nullopt;
  return AsJpeg(std::move(kept));
}

// A picture made for one request: JPEG for JPEG sources (fast to write and read), PNG for
// the rest, which may be transparent.
ReducedPicture MadeOnce(const std::string& path, const Header& header, int width) {
  ReducedPicture out;
  const int height = std::max(
      1, static_cast<int>(std::lround(double(header.ShownHeight()) * width / header.ShownWidth())));
  GdkPixbuf* pixbuf = Decode(path, header, width, height);
  if (!pixbuf) return out;
  const bool jpeg = header.jpeg && EncodeJpeg(pixbuf, out.bytes);
  const char* png_keys[] = {"compression", nullptr};
  const char* png_values[] = {"1", nullptr};
  if (jpeg || Encode(pixbuf, "png", out.bytes, png_keys, png_values)) {
    out.kind = ReducedPicture::kMade;
    out.mime = jpeg ? "image/jpeg" : "image/png";
    out.width = gdk_pixbuf_get_width(pixbuf);
    out.height = gdk_pixbuf_get_height(pixbuf);
  }
  g_object_unref(pixbuf);
  return out;
}

// The larger shared sizes of a JPEG have a JPEG twin in the program's own folder, which is
// what the page is served: the engine reads a JPEG several times faster than a PNG of the
// same size, and a layout change shows dozens of them at once.
constexpr int kTwinnedPixels = 512;

bool Twinned(const Header& header, int size_index) {
  return header.jpeg && kThumbnailSizes[size_index].pixels >= kTwinnedPixels;
}

std::string TwinPath(const ThumbnailCache& cache, const SourceStamp& stamp, const Header& header,
                     int size_index) {
  const Size2 fit =
      FitInBox(header.ShownWidth(), header.ShownHeight(), kThumbnailSizes[size_index].pixels);
  return cache.WidePathOf(stamp, fit.width);
}

// The twin of a shared thumbnail another run or program made: decoded once, kept as JPEG.
std::optional<std::string> TwinOf(const std::string& png) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
  if (!loader) return std::nullopt;
  const bool written = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(png.data()),
                                               png.size(), nullptr);
  // A loader is closed once, whatever the writing gave.
  const bool read = gdk_pixbuf_loader_close(loader, nullptr) && written;
  std::optional<std::string> jpeg;
  GdkPixbuf* pixbuf = read ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
  std::string bytes;
  if (pixbuf && EncodeJpeg(pixbuf, bytes)) jpeg = std::move(bytes);
  g_object_unref(loader);
  return jpeg;
}

ReducedPicture Thumbnail(const ThumbnailCache& cache, const std::string& path,
                         const SourceStamp& stamp, const Header& header, int size_index) {
  ReducedPicture out;
  out.mime = "image/png";
  // A larger valid thumbnail of any program serves as well as making the one asked for.
  for (int i = size_index; i < kThumbnailSizeCount; ++i) {
    const std::string twin = Twinned(header, i) ? TwinPath(cache, stamp, header, i) : "";
    if (!twin.empty()) {
      if (auto kept = KeptJpeg(twin)) return *kept;
    }
    if (auto png = cache.Find(stamp, i)) {
      if (!twin.empty()) {
        if (auto jpeg = TwinOf(*png)) {
          cache.Store(twin, *jpeg);
          return AsJpeg(std::move(*jpeg));
        }
      }
      out.kind = ReducedPicture::kMade;
      out.bytes = std::move(*png);
      return out;
    }
  }
  const Size2 fit =
      FitInBox(header.ShownWidth(), header.ShownHeight(), kThumbnailSizes[size_index].pixels);
  GdkPixbuf* pixbuf = Decode(path, header, fit.width, fit.height);
  if (!pixbuf) {
    cache.MarkFailed(stamp);
    out.kind = ReducedPicture::kFailed;
    return out;
  }
  const std::string mtime = std::to_string(stamp.mtime), size = std::to_string(stamp.size);
  const std::string width = std::to_string(header.ShownWidth());
  const std::string height = std::to_string(header.ShownHeight());
  const char* keys[] = {"tEXt::Thumb::URI",
                        "tEXt::Thumb::MTime",
                        "tEXt::Thumb::Size",
                        "tEXt::Thumb::Image::Width",
                        "tEXt::Thumb::Image::Height",
                        "tEXt::Software",
                        "compression",
                        nullptr};
  const char* values[] = {stamp.uri.c_str(), mtime.c_str(),      size.c_str(), width.c_str(),
                          height.c_str(),    kThumbnailSoftware, "3",          nullptr};
  if (Encode(pixbuf, "png", out.bytes, keys, values)) {
    out.kind = ReducedPicture::kMade;
    out.width = gdk_pixbuf_get_width(pixbuf);
    out.height = gdk_pixbuf_get_height(pixbuf);
    cache.Store(cache.PathOf(stamp.uri, size_index), out.bytes);  // a full disk only costs time
    std::string jpeg;
    if (Twinned(header, size_index) && EncodeJpeg(pixbuf, jpeg)) {
      cache.Store(TwinPath(cache, stamp, header, size_index), jpeg);
      out.mime = "image/jpeg";
      out.bytes = std::move(jpeg);
    }
  }
  g_object_unref(pixbuf);
  return out;
}

}  // namespace

int ExifOrientation(std::string_view app1) {
  if (app1.size() < 14 || app1.substr(0, 6) != std::string_view("Exif\0\0", 6)) return 1;
  const std::string_view tiff = app1.substr(6);
  const bool little = tiff.substr(0, 2) == "II";
  if (!little && tiff.substr(0, 2) != "MM") return 1;
  auto u16 = [&](size_t at) -> uint32_t {
    const auto a = static_cast<uint8_t>(tiff[at]), b = static_cast<uint8_t>(tiff[at + 1]);
    return little ? (b << 8 | a) : (a << 8 | b);
  };
  auto u32 = [&](size_t at) -> uint32_t {
    return little ? (u16(at + 2) << 16 | u16(at)) : (u16(at) << 16 | u16(at + 2));
  };
  if (u16(2) != 42) return 1;
  const size_t ifd = u32(4);
  if (ifd > tiff.size() || tiff.size() - ifd < 2) return 1;
  const size_t count = u16(ifd);
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = ifd + 2 + i * 12;
    if (entry > tiff.size() || tiff.size() - entry < 12) break;
    if (u16(entry) != 0x0112) continue;
    if (u16(entry + 2) != 3) return 1;  // SHORT
    const uint32_t value = u16(entry + 8);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

int JpegScaleDenominator(int width, int height, int want_width, int want_height) {
  for (int d : {8, 4, 2}) {
    if ((width + d - 1) / d >= want_width && (height + d - 1) / d >= want_height) return d;
  }
  return 1;
}

Size2 FitInBox(int width, int height, int box) {
  const int larger = std::max(width, height);
  if (larger <= box || larger <= 0) return {width, height};
  auto side = [&](int s) {
    return std::max(1, static_cast<int>(std::lround(double(s) * box / larger)));
  };
  return {side(width), side(height)};
}

ReducedPicture ReducePicture(const ThumbnailCache& cache, const std::string& path, int width) {
  ReducedPicture failed;
  auto stamp = StampOf(path);
  if (!stamp) return failed;
  Header header;
  if (!ReadHeader(path, header) || !Plausible(header)) {
    if (!cache.Failed(*stamp)) cache.MarkFailed(*stamp);
    return failed;
  }
  const int shown = header.ShownWidth();
  if (header.engine_reads && (width <= 0 || shown <= width)) {
    ReducedPicture original;
    original.kind = ReducedPicture::kOriginal;
    return original;
  }
  if (cache.Failed(*stamp)) return failed;
  const int want = width <= 0 ? shown : std::min(width, shown);
  for (int i = 0; i < kThumbnailSizeCount; ++i) {
    if (FitInBox(shown, header.ShownHeight(), kThumbnailSizes[i].pixels).width >= want)
      return Thumbnail(cache, path, *stamp, header, i);
  }
  // Wider than the shared sizes: camera JPEGs are kept by width (one a line in a wide
  // window is the gallery's first layout); other formats are made for the request alone.
  const std::string wide = cache.WidePathOf(*stamp, want);
  if (header.jpeg) {
    if (auto kept = KeptJpeg(wide)) return *kept;
  }
  ReducedPicture once = MadeOnce(path, header, want);
  if (once.kind == ReducedPicture::kFailed) cache.MarkFailed(*stamp);
  if (once.kind == ReducedPicture::kMade && once.mime == "image/jpeg")
    cache.Store(wide, once.bytes);
  return once;
}

}  // namespace tv::reduced
