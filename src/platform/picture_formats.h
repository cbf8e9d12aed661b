// SPDX-License-Identifier: GPL-3.0-or-later
// The picture kinds the gallery takes beyond the seven it always lists: WebP, AVIF and
// HEIF, each only where the system has a decoder for it, so that nothing is listed that
// could not be shown.
#pragma once

#include <string>
#include <vector>

namespace tv {

// Lower-case extensions of those kinds this system decodes, in the order "webp", "avif",
// "heif", "heic"; the system is asked once a run.
const std::vector<std::string>& ExtraPictureExtensions();

}  // namespace tv
