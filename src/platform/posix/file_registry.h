// SPDX-License-Identifier: GPL-3.0-or-later
// The registry as a per-user text file: one "[ROOT/key/subkey]" header per key, then its
// values as "name=text" lines ("@" is the unnamed default value).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tv {

class FileRegistry : public Registry {
 public:
  // The file and its folder are created on the first change.
  explicit FileRegistry(std::string file_path);

  // Key paths use "\" between names and compare without regard to case; empty names
  // (a trailing "\") are ignored. Missing parent keys are created as well.
  bool SetValue(RegRoot root, const std::string& key, const std::string& value_name,
                const std::string& text) override;
  // False when the key is absent, is a root, or still has subkeys.
  bool DeleteKey(RegRoot root, const std::string& key) override;
  std::optional<std::string> GetValue(RegRoot root, const std::string& key,
                                      const std::string& value_name) override;
  bool KeyExists(RegRoot root, const std::string& key) override;

 private:
  std::string path_;
};

}  // namespace tv
