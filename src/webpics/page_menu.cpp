// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/page_menu.h"

#include "frame/form_explore.h"
#include "text/text_util.h"

namespace tv {

namespace {

bool IsFileAddress(const std::string& address) {
  return AsciiLower(address.substr(0, 5)) == "file:";
}

}  // namespace

bool OpensBehind(int button, int shift) {
  return button == 4 || (button == 1 && (shift & 2) != 0);
}

bool OpensInTab(const std::string& address, const std::string& page) {
  if (!IsBrowserAddress(address)) return false;
  return !IsFileAddress(address) || IsFileAddress(page);
}

PageMenu DecidePageMenu(const PointerTarget& hit, const std::string& page) {
  PageMenu m;
  m.link = !hit.link.empty();
  m.open_link = m.link && OpensInTab(hit.link, page);
  m.picture = !hit.picture.empty();
  m.open_picture = m.picture && OpensInTab(hit.picture, page);
  // Pictures come from the web, a file or the page itself (data:); never from a script.
  m.keep_picture = m.picture && IsPictureAddress(hit.picture);
  m.selection = hit.selected;
  m.navigation = !m.link && !m.picture && !m.selection;
  return m;
}

}  // namespace tv
