// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG files through libjpeg-turbo, band by band.
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "platform/jpeg.h"
#include "platform/posix/posix_io.h"

namespace tv {
namespace {

// A band of at most this many bytes is asked for at a time (16 rows at least).
constexpr size_t kBandBytes = size_t{8} << 20;
constexpr int kMaxBandRows = 256;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

// libjpeg's default would end the process; return to the encoder instead.
[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr) {}

bool FillBand(const BandSource& source, int first_row, int rows, uint8_t* rgb) {
  try {
    return source(first_row, rows, rgb);
  } catch (...) {
    return false;
  }
}

// Only C frames lie between the setjmp here and any longjmp, and nothing read after the
// jump changes in between, so the jump skips no destructor.
bool Encode(FILE* out, int width, int height, int quality, const BandSource& source, uint8_t* band,
            int band_rows) {
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = OnMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  // Defaults are the usual 4:2:0 sampling without optimised tables, the fast way.
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = FALSE;
  jpeg_start_compress(&info, TRUE);
  const size_t stride = static_cast<size_t>(width) * 3;
  JSAMPROW rows[kMaxBandRows];
  for (int first = 0; first < height; first += band_rows) {
    int count = std::min(band_rows, height - first);
    if (!FillBand(source, first, count, band)) {
      jpeg_destroy_compress(&info);
      return false;
    }
    for (int r = 0; r < count; ++r) rows[r] = band + static_cast<size_t>(r) * stride;
    int written = 0;
    while (written < count) {
      JDIMENSION n =
          jpeg_write_scanlines(&info, rows + written, static_cast<JDIMENSION>(count - written));
      if (n == 0) {
        jpeg_destroy_compress(&info);
        return false;
      }
      written += static_cast<int>(n);
    }
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

// Encodes into a temp beside `path`; the temp is handed back written, else left invalid.
posix::UniqueFd EncodeToTemp(const std::string& path, int width, int height, int quality,
                             const BandSource& source, std::string& temp_path) {
  if (width <= 0 || height <= 0 || width > kMaxJpegSide || height > kMaxJpegSide) return {};
  // libjpeg's own limit is a little below 65535.
  if (width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION || !source) return {};
  quality = std::clamp(quality, 0, 100);
  const size_t stride = static_cast<size_t>(width) * 3;
  int band_rows = static_cast<int>(std::clamp<size_t>(kBandBytes / stride, 16, kMaxBandRows));
  band_rows = std::min(band_rows, height);
  std::vector<uint8_t> band(stride * static_cast<size_t>(band_rows));

  posix::UniqueFd fd = posix::CreateTempBeside(path, temp_path);
  if (!fd.Valid()) return {};
  // The stream gets a descriptor of its own; `fd` keeps the temp until it is named.
  FILE* out = nullptr;
  if (int copy = ::dup(fd.Get()); copy >= 0) {
    out = ::fdopen(copy, "wb");
    if (!out) ::close(copy);
  }
  if (!out) {
    posix::DiscardTemp(std::move(fd), temp_path);
    return {};
  }
  std::vector<char> buffer(size_t{1} << 16);
  ::setvbuf(out, buffer.data(), _IOFBF, buffer.size());
  bool ok = Encode(out, width, height, quality, source, band.data(), band_rows);
  ok = ::fflush(out) == 0 && ok;
  ok = ::fclose(out) == 0 && ok;
  if (!ok) {
    posix::DiscardTemp(std::move(fd), temp_path);
    return {};
  }
  return fd;
}

}  // namespace

bool SaveJpegFile(const std::string& path, int width, int height, int quality,
                  const BandSource& source) {
  // Written beside the target and renamed over it, so no half file ever shows at `path`.
  std::string temp_path;
  posix::UniqueFd fd = EncodeToTemp(path, width, height, quality, source, temp_path);
  return fd.Valid() && posix::CommitTemp(std::move(fd), temp_path, path);
}

std::string SaveNewJpegFile(const std::function<std::string()>& next_name, int width, int height,
                            int quality, const BandSource& source) {
  std::string first = next_name();
  if (first.empty()) return "";
  std::string temp_path;
  posix::UniqueFd fd = EncodeToTemp(first, width, height, quality, source, temp_path);
  if (!fd.Valid()) return "";
  // The first name is tried first, then the ones after it.
  return posix::CommitTempAsNew(std::move(fd), temp_path, [&] {
    return first.empty() ? next_name() : std::exchange(first, std::string());
  });
}

}  // namespace tv
