// SPDX-License-Identifier: GPL-3.0-or-later
// The project's own addresses, used by the help menu.
#pragma once

namespace tv {

inline constexpr const char* kHomePageUrl = "https://tessaview.net/";
inline constexpr const char* kTraditionalChineseUrl = "https://tessaview.net/zh-hant/";
inline constexpr const char* kEnglishUrl = "https://tessaview.net/en/";
inline constexpr const char* kContactAddress = "contact@tessaview.net";
inline constexpr const char* kContactSubject = "联系软件作者";

}  // namespace tv
