// SPDX-License-Identifier: GPL-3.0-or-later
// The folder-tree search of the gallery: every large picture under a folder, depth first
// in listing order, into the picture list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tv {

class FileSystem;
class MessageLoop;
struct PictureList;

// The gallery's extension list with "png," repeated, as the search has it; the extra
// kinds this system decodes follow (SearchExtensions()).
inline constexpr std::string_view kSearchExtensions = "$$$,bmp,jpg,jpeg,gif,png,tif,tiff,png,";
std::string_view SearchExtensions();
inline constexpr uint64_t kSearchMinBytes = 30001;  // smaller files are left out
inline constexpr int kSearchMaxPictures = 20000;

struct SearchContext {
  FileSystem& fs;
  MessageLoop& loop;      // serviced between entries
  PictureList& pictures;  // appended to
  bool& stop;             // ends the walk; set here when the list is full
  std::function<void(const std::string& folder)> entering;  // a folder's walk begins
};

// Walks `path` and its subfolders. Links to folders are not followed and no folder is
// walked twice, so a link loop ends; the walk keeps its own stack, so depth is no limit.
void SearchDir(SearchContext& context, const std::string& path);

}  // namespace tv
