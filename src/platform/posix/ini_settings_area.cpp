// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/ini_settings_area.h"

#include <glib.h>

#include <utility>

#include "platform/posix/posix_io.h"
#include "platform/posix/section_text.h"

namespace tv {
namespace {

using posix::Section;
using posix::SectionText;

// Settings are small; a larger file is damaged or not ours.
constexpr size_t kMaxSettingsFile = size_t{16} << 20;

bool IsSection(const Section& s, const std::string& app, const std::string& section) {
  if (!s.has_header) return false;
  // Names escape "/", so the first one separates application and section.
  size_t slash = s.header.find('/');
  if (slash == std::string::npos) return false;
  return posix::EqualsIgnoringCase(posix::UnescapeName(s.header.substr(0, slash)), app) &&
         posix::EqualsIgnoringCase(posix::UnescapeName(s.header.substr(slash + 1)), section);
}

}  // namespace

std::string IniValue(std::string_view text, const std::string& app, const std::string& section,
                     const std::string& key) {
  SectionText ini = SectionText::Parse(text);
  for (const Section& s : ini.sections) {
    if (!IsSection(s, app, section)) continue;
    if (const auto* pair = posix::FindPair(s, key)) return pair->value;
  }
  return "";
}

std::string IniWithValue(std::string_view text, const std::string& app, const std::string& section,
                         const std::string& key, const std::string& value) {
  SectionText ini = SectionText::Parse(text);
  // The value Get would return is the one to change; otherwise add to the first match.
  Section* target = nullptr;
  for (Section& s : ini.sections) {
    if (!IsSection(s, app, section)) continue;
    if (!target) target = &s;
    if (posix::FindPair(s, key)) {
      target = &s;
      break;
    }
  }
  if (!target) {
    target = &ini.sections.emplace_back(
        posix::MakeSection(posix::EscapeName(app) + "/" + posix::EscapeName(section)));
  }
  posix::SetPair(*target, key, value);
  return ini.Serialize();
}

IniSettingsArea::IniSettingsArea(std::string file_path) : path_(std::move(file_path)) {}

std::string IniSettingsArea::Get(const std::string& app, const std::string& section,
                                 const std::string& key) {
  std::string text;
  if (posix::ReadFileLimited(path_, text, kMaxSettingsFile) != posix::ReadResult::kOk) return "";
  return IniValue(text, app, section, key);
}

bool IniSettingsArea::Save(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) {
  std::string text;
  if (posix::ReadFileLimited(path_, text, kMaxSettingsFile) == posix::ReadResult::kFailed) {
    return false;
  }
  const std::string updated = IniWithValue(text, app, section, key, value);
  if (g_mkdir_with_parents(posix::FolderOf(path_).c_str(), 0700) != 0) return false;
  return posix::WriteFileAtomic(path_, updated);
}

}  // namespace tv
