// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's own files are: beside it in the build tree, or under the prefix it
// was installed into, found from the program's own path so any prefix works.
#pragma once

#include <string>
#include <vector>

namespace tv {

// The running program's path ("" when unknown).
std::string RunningProgram();

// The folder holding the web process extension for the program at `program`: "webext"
// beside it in the build tree, the library folder of an installed one. Only a program
// inside the build tree falls back to the build's folder (test programs live there); an
// installed program never loads the build's code.
std::string ExtensionFolder(const std::string& program);

// The folders ExtensionFolder looks in, in order.
std::vector<std::string> ExtensionFolders(const std::string& program);

// Whether one of those folders holds the extension.
bool ExtensionFound(const std::string& program);

// The icon folder ("share/icons") the program's own icons are in, when the desktop's icon
// theme would not find them: beside a program in the build tree, under the prefix of an
// installed one. "" when none is there.
std::string IconFolder(const std::string& program);

}  // namespace tv
