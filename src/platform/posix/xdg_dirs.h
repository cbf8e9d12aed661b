// The user's home and the XDG base folders, read from the environment.
#pragma once

#include <string>

namespace tv::posix {

// $HOME, else the password database entry; never ends in "/" unless it is "/".
std::string HomeDirectory();

// The value of an XDG base variable when it is an absolute path (relative values are
// ignored, as the base-directory rules say), else home + "/" + `fallback_relative`.
// Never ends in "/" unless it is "/".
std::string XdgBaseDirectory(const char* variable, const char* fallback_relative);

// `folder` with exactly one "/" at the end.
std::string WithSlash(std::string folder);

}  // namespace tv::posix
