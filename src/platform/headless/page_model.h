// SPDX-License-Identifier: GPL-3.0-or-later
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
// Links and pictures are resolved against the page's `address` or its <base href>.
PageModel BuildPageModel(const std::string& html, int view_width, FileSystem& fs,
                         const std::string& address = "");

// The address the engine makes of a link or picture reference on a page at `base`
// (http, https or file): a relative reference ("a.png", "../x/a.png", "/a.png",
// "//host/a.png", "?q", "#f") is resolved as RFC 3986 has it and written as the address
// parser writes it ("%XX" kept, "\" read as "/" in the path, dot segments resolved); a
// reference with a scheme of its own is given back as written. Without such a base only
// an absolute path resolves, to a "file://" address; anything else is given back trimmed.
std::string ResolveAddress(const std::string& reference, const std::string& base = "");

}  // namespace tv
