// SPDX-License-Identifier: GPL-3.0-or-later
// The large pictures of a web page: the rule a picture must meet, the scan that fills the
// program-wide list, and the gallery pages written from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/html_view.h"
#include "program/web_picture_list.h"

namespace tv {

// Fills the list with the large pictures of `elements` in document order, each at the
// largest version the page names (a picture used twice is listed twice); pictures of other
// addresses (javascript:, about:) are passed over, and so are links whose answer alone
// would say they are pictures. The count goes on past the slots; addresses past them are
// lost.
void ScanLargePictures(const std::vector<HtmlElement>& elements, WebPictureList& list);

// Width of every picture of the sized gallery: from the view's width in twips and the
// columns mode (0 counts as 1).
int SizedGalleryWidth(int view_twips, int columns);

// The sized gallery page (both pages say so in words when no picture of the page is large): every
// picture `width` pixels wide, centred in mode 1.
std::string SizedGalleryPage(const WebPictureList& list, int columns, int width,
                             const std::string& background);
// The natural-size gallery page: every picture at its own size.
std::string NaturalGalleryPage(const WebPictureList& list);

}  // namespace tv
