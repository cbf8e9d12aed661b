// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the kinds the system may or may not read (WebP, AVIF, HEIF), made at test
// time by ImageMagick, started without a shell.
#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/picture_formats.h"

extern char** environ;

namespace tv::test {

// Whether the system has a decoder for pictures of `kind` ("webp").
inline bool Decodable(const std::string& kind) {
  const auto& extras = ExtraPictureExtensions();
  return std::find(extras.begin(), extras.end(), kind) != extras.end();
}

// A picture of one colour (200, 90, 40); false where ImageMagick cannot write the kind.
inline bool MakeWithConvert(const std::string& path, int width, int height,
                            std::vector<std::string> options = {}) {
  std::vector<std::string> args = {
      "convert", "-size", std::to_string(width) + "x" + std::to_string(height), "xc:#C85A28"};
  args.insert(args.end(), options.begin(), options.end());
  args.push_back(path);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  int status = 0;
  return posix_spawnp(&pid, "convert", nullptr, nullptr, argv.data(), environ) == 0 &&
         waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tv::test
