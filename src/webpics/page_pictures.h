// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures a page holds, each at its largest version: what it shows, the largest
// candidate of its srcset or <picture>, a lazy picture's address, the picture file its
// link leads to, and the background pictures of large boxes.
#pragma once

#include <string>
#include <vector>

#include "host/html_view.h"

namespace tv {

// Wider than 520 and higher than 560 pixels.
bool IsLargeSize(int width, int height);

// A picture element large as shown or by its own size, with an address of a picture.
bool IsLargePicture(const HtmlElement& e);

struct PagePicture {
  std::string address;  // the version to save
  int element = -1;     // the element showing exactly this address, else -1
  int shown_width = 0;  // as the element shows it (0 where no element shows it)
  int shown_height = 0;
  int own_width = 0;  // its own size where the page knows it, else 0
  int own_height = 0;
  bool large = false;   // the size rule holds already; else the picture's own size decides
  bool loaded = false;  // the view has it
  // A link whose address does not say it is a picture: the answer's type decides.
  bool by_type = false;

  // Shown no smaller than it is, so what the screen shows of it is the whole picture.
  bool ShownWhole() const {
    return element >= 0 && own_width > 0 && shown_width >= own_width && shown_height >= own_height;
  }
};

// The picture element `e`, the page's element `index`, shows, saved as `address` at its
// own size whatever it is.
PagePicture PictureShownBy(const HtmlElement& e, int index, const std::string& address);

// In document order; a picture that occurs twice is listed twice.
std::vector<PagePicture> PagePictures(const std::vector<HtmlElement>& elements);

}  // namespace tv
