// SPDX-License-Identifier: GPL-3.0-or-later
// JPEG encoding of a bitmap that is produced band by band, so a tall page never has to
// be held whole in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tv {

// The largest side libjpeg writes (the format itself allows 65535).
inline constexpr int kMaxJpegSide = 65500;

// Fills `rows` rows starting at `first_row` as packed RGB (3 bytes a pixel).
using BandSource = std::function<bool(int first_row, int rows, uint8_t* rgb)>;

// Writes a JPEG of width x height at quality 0..100. Returns true only when a complete
// file was written; on failure no file is left at `path`.
bool SaveJpegFile(const std::string& path, int width, int height, int quality,
                  const BandSource& source);
// Writes a JPEG as a new file under the first name `next_name` gives that no file holds,
// never over a file (another copy of the program may take a name at the same moment), and
// only once it is whole. The name written; "" when no file was written.
std::string SaveNewJpegFile(const std::function<std::string()>& next_name, int width, int height,
                            int quality, const BandSource& source);

}  // namespace tv
