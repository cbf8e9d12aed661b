// SPDX-License-Identifier: GPL-3.0-or-later
#include "reduced_pictures/picture_requests.h"

#include <algorithm>

namespace tv::reduced {

namespace {

// The address with the scheme's name in place of "file"; "" when it is of another scheme.
std::string_view AfterScheme(std::string_view address) {
  const std::string_view scheme = kPictureScheme;
  if (address.size() <= scheme.size() || address.substr(0, scheme.size()) != scheme ||
      address[scheme.size()] != ':') {
    return {};
  }
  return address.substr(scheme.size());
}

}  // namespace

std::optional<PictureRequest> ReadPictureRequest(std::string_view page_address,
                                                 std::string_view request_address) {
  if (page_address.substr(0, 5) != "file:") return std::nullopt;
  std::string_view rest = AfterScheme(request_address);
  if (rest.empty()) return std::nullopt;
  PictureRequest request;
  const size_t query = rest.find('?');
  if (query != std::string_view::npos) {
    request.whole = rest.substr(query + 1) == kWholePictureQuery;
    rest = rest.substr(0, query);
  }
  request.file_address = "file" + std::string(rest);
  return request;
}

std::string AsPageNamesIt(std::string_view address) {
  const std::string_view rest = AfterScheme(address);
  return rest.empty() ? std::string(address) : "file" + std::string(rest);
}

int PictureWidths::Shown(const std::string& path, int scale) const {
  const auto it = widths_.find(path);
  if (it == widths_.end() || it->second <= 0) return 0;
  return it->second * std::max(1, scale);
}

}  // namespace tv::reduced
