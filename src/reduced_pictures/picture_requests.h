// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own scheme for local pages' pictures: what a request asks for and how wide
// its page shows each picture. The desktop's engine adapter answers requests with these.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tv::reduced {

inline constexpr char kPictureScheme[] = "tessaview-file";
// The query ("file:///a.jpg?" + this) of a local picture that a page shows at its own
// size beside a reduced copy of it.
inline constexpr const char* kWholePictureQuery = "tessaview-whole";

struct PictureRequest {
  std::string file_address;  // the "file:" address of the picture asked for
  bool whole = false;        // asked for at its own size, whatever the page shows
};

// What a request of the scheme asks for; nothing when the page asking is not a local page
// (a web page must not learn which files the user has) or the address is of another scheme.
std::optional<PictureRequest> ReadPictureRequest(std::string_view page_address,
                                                 std::string_view request_address);

// A picture the scheme served is named as its page names it: by the "file:" address it
// stands for. Other addresses are given back unchanged.
std::string AsPageNamesIt(std::string_view address);

// The widest each picture of a page is shown, by path.
class PictureWidths {
 public:
  explicit PictureWidths(const std::vector<std::pair<std::string, int>>& widths)
      : widths_(widths.begin(), widths.end()) {}
  // The width to make `path` at on a screen of `scale` device pixels a pixel (twice the
  // detail at 2); 0 for a picture shown at its own size or not named.
  int Shown(const std::string& path, int scale) const;
  template <typename F>
  void ForEachPath(F&& visit) const {
    for (const auto& entry : widths_) visit(entry.first);
  }

 private:
  std::unordered_map<std::string, int> widths_;
};

}  // namespace tv::reduced
