// SPDX-License-Identifier: GPL-3.0-or-later
// Names of the files saved from web pages.
#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace tv {

class FileSystem;

// folder + year month day "_" hour minute counter ".jpg", numbers without leading zeros:
// the first such name no file has. The counter rises with every name tried. "" when no
// free name was found within a bound.
std::string MakePictureFileName(FileSystem& fs, const std::string& folder, const DateTime& now,
                                int32_t& counter);

// The name a page screenshot suggests: the caption up to its first hyphen, without the
// character before it; a caption without a usable hyphen suggests itself, or "截图".
std::string ScreenshotName(const std::string& caption);

}  // namespace tv
