// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures for the web pages of the tests' loopback server: JPEGs of a given size, their
// sizes read back from saved files, and a camera's orientation tag.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/jpeg.h"

namespace tv::test {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A JPEG of width x height whose pixels depend on `shade`, so pictures of one size differ.
inline std::string Jpeg(int width, int height, uint8_t shade) {
  const std::string path = std::filesystem::temp_directory_path() /
                           ("tv-web-picture-" + std::to_string(::getpid()) + ".jpg");
  SaveJpegFile(path, width, height, 80, [width, shade](int first, int rows, uint8_t* rgb) {
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < width; ++x, rgb += 3) {
        rgb[0] = shade, rgb[1] = static_cast<uint8_t>(x), rgb[2] = static_cast<uint8_t>(first + y);
      }
    }
    return true;
  });
  std::string bytes = ReadBytes(path);
  std::filesystem::remove(path);
  return bytes;
}

// Width and height from a JPEG's frame header; 0 when none.
inline std::pair<int, int> JpegSize(const std::string& d) {
  auto byte = [&d](size_t i) { return static_cast<unsigned char>(d[i]); };
  for (size_t p = 2; p + 9 < d.size();) {
    if (byte(p) != 0xFF) break;
    const unsigned marker = byte(p + 1);
    if (marker >= 0xC0 && marker <= 0xC3) {
      return {byte(p + 7) << 8 | byte(p + 8), byte(p + 5) << 8 | byte(p + 6)};
    }
    p += 2 + (byte(p + 2) << 8 | byte(p + 3));
  }
  return {0, 0};
}

// The sizes of the JPEGs in `folder`, sorted.
inline std::vector<std::pair<int, int>> JpegSizesIn(const std::string& folder) {
  std::vector<std::pair<int, int>> sizes;
  std::error_code failed;
  for (const auto& f : std::filesystem::directory_iterator(folder, failed)) {
    if (f.path().extension() == ".jpg") sizes.push_back(JpegSize(ReadBytes(f.path())));
  }
  std::sort(sizes.begin(), sizes.end());
  return sizes;
}

// The JPEG with an EXIF segment saying how the camera was held (6: turned right).
inline std::string WithOrientation(const std::string& jpeg, uint8_t orientation) {
  const std::string tiff("MM\0*\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 19);
  const std::string exif = "Exif" + std::string(2, '\0') + tiff +
                           std::string(1, static_cast<char>(orientation)) + std::string(6, '\0');
  const size_t length = exif.size() + 2;
  const std::string app1 = std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
                           static_cast<char>(length & 0xFF) + exif;
  // After the JFIF segment that follows the start marker.
  const size_t jfif_end =
      4 + (static_cast<unsigned char>(jpeg[4]) << 8 | static_cast<unsigned char>(jpeg[5]));
  return jpeg.substr(0, jfif_end) + app1 + jpeg.substr(jfif_end);
}

}  // namespace tv::test
