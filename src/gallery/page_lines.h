// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of the gallery page. Each picture line ends in CR LF of its own; the writer
// adds another, so every picture line is followed by an empty line.
#pragma once

#include <string>

namespace tv {

enum class PictureLine {
  Row,       // modes 1 to 5 and the stretched toggle: width=W
  Fitted,    // mode 0, picture no wider than the view: no width
  Shrunk,    // mode 0, picture wider than the view: width=W
  Original,  // original-size toggle: no width, no trailing blank
};

// The path is written so the view resolves it to exactly that file, the name so that it
// is the whole title; ordinary paths and names give the bytes unchanged.
std::string PictureLineText(PictureLine kind, const std::string& path, const std::string& name,
                            int width);

// The widest a picture of such a line is shown: W where the line gives a width, else 0 (at
// the picture's own size).
int ShownWidthLimit(PictureLine kind, int width);

// W for a display mode from the view width in twips (V = twips / 15 - 30).
int ViewWidthPixels(int view_twips);
int ThumbnailWidth(int layout, int view_pixels);

}  // namespace tv
