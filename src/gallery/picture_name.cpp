// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/picture_name.h"

#include <string>

#include "platform/picture_formats.h"
#include "text/text_util.h"

namespace tv {

std::string WithExtraPictureKinds(std::string_view list) {
  std::string out(list);
  for (const std::string& kind : ExtraPictureExtensions()) out += kind + ",";
  return out;
}

std::string_view PictureExtensions() {
  static const std::string kList = WithExtraPictureKinds(kPictureExtensions);
  return kList;
}

bool IsPictureName(std::string_view name) {
  return IsPictureName(name, PictureExtensions());
}

bool IsPictureName(std::string_view name, std::string_view extensions) {
  auto dot = name.rfind('.');
  std::string_view ext = dot == std::string_view::npos ? name : name.substr(dot + 1);
  // Exactly one entry of the list: "a.bmp,jpg" would otherwise match two of them at once.
  if (ext.empty() || ext.find(',') != std::string_view::npos) return false;
  std::string framed = "," + AsciiLower(ext) + ",";
  auto at = extensions.find(framed);
  return at != std::string_view::npos && at >= 2;
}

}  // namespace tv
