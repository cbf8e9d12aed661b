#pragma once

#include <string_view>

namespace tv {

inline constexpr std::string_view kPictureExtensions = "$$$,bmp,jpg,jpeg,gif,png,tif,tiff,";

// A name is a picture when its extension (after the last ".", or the whole name when it
// has none), lower-cased and framed by commas, stands in `extensions` after position 2.
bool IsPictureName(std::string_view name, std::string_view extensions = kPictureExtensions);

}  // namespace tv
