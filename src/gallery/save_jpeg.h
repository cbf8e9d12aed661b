// SPDX-License-Identifier: GPL-3.0-or-later
// SaveJpeg: the program's one JPEG encoder call, shared by the gallery screenshot and the
// browser windows' picture saving.
#pragma once

#include <functional>
#include <string>

#include "platform/jpeg.h"

namespace tv {

// Encodes `picture` (width x height, pulled band by band) as a JPEG file of `quality`
// 0 to 100. True only when a complete file was written; a failure leaves no file.
bool SaveJpeg(const BandSource& picture, int width, int height, const std::string& file,
              int quality);
// The same as a new file, under the first free name `next_name` gives; the name written,
// or "" when no file was.
std::string SaveNewJpeg(const BandSource& picture, int width, int height,
                        const std::function<std::string()>& next_name, int quality);

}  // namespace tv
