// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tv {

inline constexpr std::string_view kPictureExtensions = "$$$,bmp,jpg,jpeg,gif,png,tif,tiff,";

// `list` with the extra kinds this system decodes (WebP, AVIF, HEIF) added at its end,
// each followed by a comma.
std::string WithExtraPictureKinds(std::string_view list);
// The gallery's list: kPictureExtensions and the extra kinds.
std::string_view PictureExtensions();

// A name is a picture when its extension (after the last ".", or the whole name when it
// has none), lower-cased and framed by commas, stands in `extensions` after position 2.
bool IsPictureName(std::string_view name, std::string_view extensions);
// Against the gallery's list.
bool IsPictureName(std::string_view name);

}  // namespace tv
