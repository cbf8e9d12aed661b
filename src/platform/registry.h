// SPDX-License-Identifier: GPL-3.0-or-later
// A registry of keys holding named text values, kept per user.
#pragma once

#include <optional>
#include <string>

namespace tv {

enum class RegRoot { ClassesRoot, LocalMachine };

class Registry {
 public:
  virtual ~Registry() = default;
  // Creates or opens the key and sets the value ("" is the unnamed default value).
  virtual bool SetValue(RegRoot root, const std::string& key, const std::string& value_name,
                        const std::string& text) = 0;
  // Deletes a key that has no subkeys.
  virtual bool DeleteKey(RegRoot root, const std::string& key) = 0;
  virtual std::optional<std::string> GetValue(RegRoot root, const std::string& key,
                                              const std::string& value_name) = 0;
  virtual bool KeyExists(RegRoot root, const std::string& key) = 0;
};

// The desktop's own way to offer the program for pictures and folders.
class DesktopIntegration {
 public:
  virtual ~DesktopIntegration() = default;
  virtual bool InstallOpenWith(const std::string& executable) = 0;
  virtual bool RemoveOpenWith() = 0;
  virtual bool IsInstalled() = 0;
};

}  // namespace tv
