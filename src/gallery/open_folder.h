// SPDX-License-Identifier: GPL-3.0-or-later
// Folders in the desktop's file manager. Where no file manager answers, a message says
// so, as for a picture no program opens.
#pragma once

#include <string>

namespace tv {

class Form;
struct Platform;

// Opens `folder`; false (after the message) when nothing could show it.
bool OpenFolder(Platform& platform, Form* owner, const std::string& folder);
// Opens the folder of `path` with `path` selected; false (after the message) likewise.
bool ShowInFolder(Platform& platform, Form* owner, const std::string& path);

}  // namespace tv
