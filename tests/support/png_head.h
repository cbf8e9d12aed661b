// SPDX-License-Identifier: GPL-3.0-or-later
// The first chunks of a PNG of any size: the signature, the header and the start of its
// pixel data. A decoder learns the size from it and finds the picture cut short, so a
// test can show a size limit without decoding megapixels.
#pragma once

#include <cstdint>
#include <string>

namespace tv::test {

inline uint32_t PngCrc(const std::string& bytes) {
  uint32_t crc = 0xffffffffu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xffffffffu;
}

inline std::string PngBigEndian(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
  return PngBigEndian(static_cast<uint32_t>(data.size())) + type + data +
         PngBigEndian(PngCrc(type + data));
}

// An 8-bit RGB PNG of `width` x `height` whose data stops after 16 bytes of its first row.
inline std::string PngHead(uint32_t width, uint32_t height) {
  const std::string header =
      PngBigEndian(width) + PngBigEndian(height) + std::string("\x08\x02\0\0\0", 5);
  // A zlib stream holding one stored block that is not the last.
  const std::string data = std::string("\x78\x01\x00\x10\x00\xef\xff", 7) + std::string(16, '\0');
  return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", data);
}

}  // namespace tv::test
