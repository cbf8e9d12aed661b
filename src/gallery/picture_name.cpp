#include "gallery/picture_name.h"

#include <string>

#include "app/text_util.h"

namespace tv {

bool IsPictureName(std::string_view name, std::string_view extensions) {
  auto dot = name.rfind('.');
  std::string_view ext = dot == std::string_view::npos ? name : name.substr(dot + 1);
  std::string framed = "," + AsciiLower(ext) + ",";
  auto at = extensions.find(framed);
  return at != std::string_view::npos && at >= 2;
}

}  // namespace tv
