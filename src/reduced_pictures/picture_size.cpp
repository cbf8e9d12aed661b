// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/picture_size.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

#include "platform/file_system.h"

namespace tv {

namespace {

// Reads single bytes by 1-based position through a small window: a jump to a segment
// header reads 32 bytes, and only a byte-by-byte walk past the window reads ahead in
// larger blocks.
class ByteReader {
 public:
  explicit ByteReader(RandomAccessFile& file) : file_(file), length_(file.Length()) {}
  uint64_t Length() const { return length_; }
  bool Has(uint64_t pos) const { return pos >= 1 && pos <= length_; }
  // Bytes past the end read as 0.
  int At(uint64_t pos) {
    if (!Has(pos)) return 0;
    if (pos < start_ || pos >= start_ + filled_) {
      const bool walking = last_ != 0 && pos == last_ + 1;
      start_ = pos;
      filled_ = file_.ReadAt(pos - 1, window_, walking ? sizeof window_ : kJumpRead);
      if (filled_ == 0) return 0;
    }
    last_ = pos;
    return window_[pos - start_];
  }

 private:
  static constexpr size_t kJumpRead = 32;
  RandomAccessFile& file_;
  uint64_t length_;
  uint64_t start_ = 0;
  size_t filled_ = 0;
  uint64_t last_ = 0;  // position of the previous byte asked for, 0 before the first
  uint8_t window_[512];
};

// A JPEG's frame header comes after its metadata segments, which are skipped by their
// lengths. Real files need at most a few hundred segments and never a long search for a
// marker, so a file beyond these bounds is not measured instead of being read to its end.
constexpr int kMaxJpegSegments = 512;
constexpr uint64_t kMaxJpegSearchBytes = 16 * 1024;

// hi * 256 + lo as a signed 16-bit number; a value that does not fit stays 0.
int Word(int hi, int lo) {
  return hi >= 128 ? 0 : hi * 256 + lo;
}

PictureSize JpegSize(ByteReader& r) {
  const uint64_t length = r.Length();
  uint64_t p = 3;
  uint64_t searched = 0;
  for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
    int b1, b2;
    do {
      if (++searched > kMaxJpegSearchBytes) return {};
      b1 = r.At(p);
      b2 = r.At(p + 1);
      ++p;
    } while ((b1 != 255 || b2 == 255) && p <= length);
    int m[8];
    for (int i = 0; i < 8; ++i) m[i] = r.At(p + i);
    if (m[0] >= 192 && m[0] <= 195) {
      if (!r.Has(p + 7)) return {};  // frame header cut short
      return {Word(m[6], m[7]), Word(m[4], m[5])};
    }
    // Segment lengths are unsigned: a metadata segment of 32 KB or more is skipped whole,
    // never scanned, so a thumbnail inside it cannot pass for the picture's frame.
    p += static_cast<uint64_t>(m[1] * 256 + m[2]) + 1;
    if (p >= length) return {};
  }
  return {};
}

// A WebP file: "RIFF", its length, "WEBP", then the first chunk, which gives the size.
PictureSize WebpSize(ByteReader& r) {
  auto is = [&r](uint64_t at, const char* four) {
    for (int i = 0; i < 4; ++i) {
      if (r.At(at + i) != static_cast<unsigned char>(four[i])) return false;
    }
    return true;
  };
  if (!is(9, "WEBP") || !r.Has(30)) return {};
  if (is(13, "VP8X")) {  // extended: the canvas, 24 bits a side, less one
    return {1 + (r.At(25) | r.At(26) << 8 | r.At(27) << 16),
            1 + (r.At(28) | r.At(29) << 8 | r.At(30) << 16)};
  }
  if (is(13, "VP8 ")) {  // lossy: after the frame tag and its start code, 14 bits a side
    if (r.At(24) != 0x9D || r.At(25) != 0x01 || r.At(26) != 0x2A) return {};
    return {(r.At(27) | r.At(28) << 8) & 0x3FFF, (r.At(29) | r.At(30) << 8) & 0x3FFF};
  }
  if (is(13, "VP8L")) {  // lossless: after its signature byte, 14 bits a side, less one
    if (r.At(21) != 0x2F) return {};
    const int b0 = r.At(22), b1 = r.At(23), b2 = r.At(24), b3 = r.At(25);
    return {1 + (b0 | (b1 & 0x3F) << 8), 1 + (b1 >> 6 | b2 << 2 | (b3 & 0x0F) << 10)};
  }
  return {};
}

// AVIF and HEIF files are boxes (ISO base media format): the picture's size is in an
// "ispe" property of "meta" > "iprp" > "ipco". A file may hold several pictures (a
// thumbnail, the tiles of a grid); the largest is the picture, turned by an "irot" of a
// quarter turn. Only the first 64 KB and a bounded number of boxes are read.
constexpr uint64_t kMaxBoxBytes = 64 * 1024;
constexpr int kMaxBoxes = 256;

uint64_t Read32(ByteReader& r, uint64_t at) {
  return uint64_t{static_cast<uint32_t>(r.At(at)) << 24 |
                  static_cast<uint32_t>(r.At(at + 1)) << 16 |
                  static_cast<uint32_t>(r.At(at + 2)) << 8 | static_cast<uint32_t>(r.At(at + 3))};
}

bool IsType(ByteReader& r, uint64_t at, const char* four) {
  for (int i = 0; i < 4; ++i) {
    if (r.At(at + i) != static_cast<unsigned char>(four[i])) return false;
  }
  return true;
}

// Calls `inside(position, type position, content start, end)` for each box in [begin, end).
template <typename Visit>
void EachBox(ByteReader& r, uint64_t begin, uint64_t end, Visit inside) {
  uint64_t p = begin;
  for (int n = 0; n < kMaxBoxes && p + 8 <= end && r.Has(p + 7); ++n) {
    uint64_t size = Read32(r, p);
    uint64_t header = 8;
    if (size == 1) {
      if (!r.Has(p + 15)) return;
      size = Read32(r, p + 8) << 32 | Read32(r, p + 12);
      header = 16;
    } else if (size == 0) {
      size = end - p;
    }
    if (size < header || size > end - p) size = end - p;  // cut short: read what is there
    if (!inside(p + 4, p + header, p + size)) return;
    p += size;
  }
}

PictureSize IsoSize(ByteReader& r) {
  const uint64_t end = std::min<uint64_t>(r.Length(), kMaxBoxBytes) + 1;
  PictureSize best;
  bool turned = false;
  EachBox(r, 1, end, [&](uint64_t type, uint64_t start, uint64_t stop) {
    if (!IsType(r, type, "meta")) return true;
    EachBox(r, start + 4, stop, [&](uint64_t type2, uint64_t start2, uint64_t stop2) {
      if (!IsType(r, type2, "iprp")) return true;
      EachBox(r, start2, stop2, [&](uint64_t type3, uint64_t start3, uint64_t stop3) {
        if (!IsType(r, type3, "ipco")) return true;
        EachBox(r, start3, stop3, [&](uint64_t type4, uint64_t start4, uint64_t stop4) {
          if (IsType(r, type4, "ispe") && start4 + 12 <= stop4) {
            const uint64_t w = Read32(r, start4 + 4), h = Read32(r, start4 + 8);
            if (w <= 32767 && h <= 32767 && w * h > uint64_t(best.width) * best.height) {
              best = {static_cast<int>(w), static_cast<int>(h)};
            }
          } else if (IsType(r, type4, "irot") && start4 < stop4) {
            turned = (r.At(start4) & 1) != 0;
          }
          return true;
        });
        return false;
      });
      return false;
    });
    return false;
  });
  if (turned) std::swap(best.width, best.height);
  return best;
}

}  // namespace

PictureSize GetPictureSize(FileSystem& fs, const std::string& path) {
  std::unique_ptr<RandomAccessFile> file = fs.Open(path);
  if (!file) return {};
  ByteReader r(*file);
  const int b1 = r.At(1), b2 = r.At(2), b3 = r.At(3), b4 = r.At(4);
  if (b1 == 137 && b2 == 'P' && b3 == 'N' && b4 == 'G') {
    if (!r.Has(24)) return {};
    return {Word(r.At(19), r.At(20)), Word(r.At(23), r.At(24))};
  }
  if (b1 == 'G' && b2 == 'I' && b3 == 'F' && b4 == '8') {
    if (!r.Has(10)) return {};
    return {Word(r.At(8), r.At(7)), Word(r.At(10), r.At(9))};
  }
  if (b1 == 255 && b2 == 216 && b3 == 255) return JpegSize(r);
  if (b1 == 'R' && b2 == 'I' && b3 == 'F' && b4 == 'F') return WebpSize(r);
  if (IsType(r, 5, "ftyp")) return IsoSize(r);
  if (b1 == 'B' && b2 == 'M') {
    if (!r.Has(24)) return {};
    return {Word(r.At(20), r.At(19)), Word(r.At(24), r.At(23))};
  }
  return {};
}

}  // namespace tv
