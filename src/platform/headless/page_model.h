// A small model of a loaded page for headless runs: its elements, title, background and
// a simple inline layout that gives the page a scroll size.
#pragma once

#include <string>
#include <vector>

#include "host/html_view.h"

namespace tv {

class FileSystem;

struct PageModel {
  std::string title;
  std::string background = "#FFFFFF";
  std::vector<HtmlElement> elements;
  int content_width = 0;
  int content_height = 0;
};

// Parses `html` (tags and attributes, tolerant of anything) and lays it out in a view
// `view_width` pixels wide. Pictures without width and height attributes take their size
// from the picture file's header.
PageModel BuildPageModel(const std::string& html, int view_width, FileSystem& fs);

// The address the engine makes of a link or picture reference in a local page: an
// absolute path becomes a "file://" address as the address parser writes it ("%XX" kept,
// "#" and "?" starting the fragment and query, "\" read as "/", dot segments resolved);
// anything else is given back trimmed.
std::string ResolveAddress(const std::string& reference);

}  // namespace tv
