// SPDX-License-Identifier: GPL-3.0-or-later
// What the mouse does in a page beyond a plain click: a middle or Ctrl click opens the
// link in a tab behind the current one, and a right-click offers what fits what it hit.
#pragma once

#include <string>

#include "host/html_view.h"

namespace tv {

// A click with `button` (1 left, 4 middle) and `shift` (2 Ctrl) that opens its link behind.
bool OpensBehind(int button, int shift);

// Whether a link or picture of the page at `page` may open in a tab of its own: web and
// file addresses only, and a file only from a page that is a file itself, as the engine
// lets such pages follow their links.
bool OpensInTab(const std::string& address, const std::string& page);

// The right-click menu's groups of items; an item that is shown but cannot act is greyed.
struct PageMenu {
  bool link = false;       // 在新标签页中打开链接, 复制链接地址
  bool open_link = false;  // the first of them can act
  bool picture = false;  // 在新标签页中打开图片, 复制图片地址, 保存图片, 在图片窗口中查看
  bool open_picture = false;  // the first of them can act
  bool keep_picture = false;  // 保存图片 and 在图片窗口中查看 can act
  bool selection = false;     // 复制
  bool navigation = false;    // 后退, 前进, 刷新: nothing else was hit
};

PageMenu DecidePageMenu(const PointerTarget& hit, const std::string& page);

}  // namespace tv
