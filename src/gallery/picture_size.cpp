#include "gallery/picture_size.h"

#include <cstdint>
#include <cstring>
#include <memory>

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
  if (b1 == 'B' && b2 == 'M') {
    if (!r.Has(24)) return {};
    return {Word(r.At(20), r.At(19)), Word(r.At(24), r.At(23))};
  }
  return {};
}

}  // namespace tv
