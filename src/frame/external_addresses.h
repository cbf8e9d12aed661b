// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's fixed outside addresses, in one place. Hosts are the project's own
// stand-ins; the rules that compare and rewrite them live with the frame and the pages.
#pragma once

namespace tv {

// The first page of a fresh frame comes from the settings (kDefaultHomePage).

// Navigation site: opened with the affiliate query appended, shown without it.
inline constexpr const char* kNavigationSite = "http://daohang.tessaview.net/";
inline constexpr const char* kNavigationQuery = "?from=tessaview";

// Web search host and partner code (address_bar.cpp builds the endpoint).
inline constexpr const char* kWebSearchHost = "so.tessaview.net";
inline constexpr const char* kPartnerCode = "tv2017a0815";  // 11 characters

// Keyword search host (a fixed query and the site's home, address_bar.cpp).
inline constexpr const char* kKeywordSearchHost = "pic.tessaview.net";

// Pages opened from these image-search sites keep their scripts in new windows.
inline constexpr const char* kImageSearchRoot1 = "http://image.tessaview.net/";
inline constexpr const char* kImageSearchRoot2 = "http://tu.tessaview.net/";

// The address box's preset list: picture sites and picture-forum pages.
inline constexpr const char* kPresetAddresses[] = {
    "https://bbs.tessa.net/forum-50-1.html", "http://www.photo-forum.tessaview.net/",
    "http://www.wallpaper.tessaview.net/",   "http://www.landscape.tessaview.net/",
    "http://bbs.tessa.net/forum-12-1.html",  "http://www.gallery.tessaview.net/",
    "http://www.sky.tessaview.net/",         "http://www.ocean.tessaview.net/",
    "http://www.art.tessaview.net/",
};

// The five fixed favourite sites of the favourites menu, in menu order.
inline constexpr const char* kFavHuasheng = "http://bbs.huasheng.tessaview.net/";
inline constexpr const char* kFav169mt = "http://www.169mt.tessaview.net/";
inline constexpr const char* kFav169bb = "http://www.169bb.tessaview.net/";
inline constexpr const char* kFavumei = "http://www.umei.tessaview.net/";
inline constexpr const char* kFyixiuba = "http://www.yixiuba.tessaview.net/";

}  // namespace tv
