#include "gallery/picture_name.h"

#include <string>

#include "app/text_util.h"

namespace tv {

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
