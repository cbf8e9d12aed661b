// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/file_registry.h"

#include <glib.h>

#include <utility>

#include "platform/posix/posix_io.h"
#include "platform/posix/section_text.h"

namespace tv {
namespace {

using posix::Section;
using posix::SectionText;

constexpr size_t kMaxRegistryFile = size_t{16} << 20;

const char* RootName(RegRoot root) {
  return root == RegRoot::ClassesRoot ? "HKEY_CLASSES_ROOT" : "HKEY_LOCAL_MACHINE";
}

// A key as its root and its names, without empty names.
struct KeyPath {
  std::string root;
  std::vector<std::string> names;
};

KeyPath FromApi(RegRoot root, const std::string& key) {
  KeyPath path{RootName(root), {}};
  size_t pos = 0;
  while (pos <= key.size()) {
    size_t sep = key.find('\\', pos);
    if (sep == std::string::npos) sep = key.size();
    if (sep > pos) path.names.push_back(key.substr(pos, sep - pos));
    pos = sep + 1;
  }
  return path;
}

// Names escape "/", so it separates them in a header.
std::optional<KeyPath> FromHeader(const Section& s) {
  if (!s.has_header) return std::nullopt;
  KeyPath path;
  size_t pos = 0;
  bool first = true;
  while (pos <= s.header.size()) {
    size_t sep = s.header.find('/', pos);
    if (sep == std::string::npos) sep = s.header.size();
    std::string part = posix::UnescapeName(std::string_view(s.header).substr(pos, sep - pos));
    if (first) {
      path.root = std::move(part);
      first = false;
    } else if (!part.empty()) {
      path.names.push_back(std::move(part));
    }
    pos = sep + 1;
  }
  return path;
}

std::string ToHeader(const KeyPath& path, size_t count) {
  std::string header = path.root;
  for (size_t i = 0; i < count; ++i) header += "/" + posix::EscapeName(path.names[i]);
  return header;
}

// True when `inner` is `outer` or lies below it; `strict` demands below.
bool IsWithin(const KeyPath& inner, const KeyPath& outer, bool strict) {
  if (!posix::EqualsIgnoringCase(inner.root, outer.root)) return false;
  if (inner.names.size() < outer.names.size()) return false;
  if (strict && inner.names.size() == outer.names.size()) return false;
  for (size_t i = 0; i < outer.names.size(); ++i) {
    if (!posix::EqualsIgnoringCase(inner.names[i], outer.names[i])) return false;
  }
  return true;
}

bool IsKey(const Section& s, const KeyPath& key, size_t count) {
  auto path = FromHeader(s);
  if (!path || path->names.size() != count) return false;
  KeyPath prefix{key.root, {key.names.begin(), key.names.begin() + static_cast<long>(count)}};
  return IsWithin(*path, prefix, false);
}

bool Load(const std::string& path, SectionText& out, bool missing_is_empty) {
  std::string text;
  auto result = posix::ReadFileLimited(path, text, kMaxRegistryFile);
  if (result == posix::ReadResult::kFailed) return false;
  if (result == posix::ReadResult::kMissing && !missing_is_empty) return false;
  out = SectionText::Parse(text);
  return true;
}

bool Store(const std::string& path, const SectionText& registry) {
  if (g_mkdir_with_parents(posix::FolderOf(path).c_str(), 0700) != 0) return false;
  return posix::WriteFileAtomic(path, registry.Serialize());
}

}  // namespace

FileRegistry::FileRegistry(std::string file_path) : path_(std::move(file_path)) {}

bool FileRegistry::SetValue(RegRoot root, const std::string& key, const std::string& value_name,
                            const std::string& text) {
  SectionText registry;
  if (!Load(path_, registry, true)) return false;
  KeyPath target = FromApi(root, key);
  // Like creating a key by hand, every missing parent appears first.
  Section* section = nullptr;
  for (size_t count = 0; count <= target.names.size(); ++count) {
    section = nullptr;
    for (Section& s : registry.sections) {
      if (IsKey(s, target, count)) {
        section = &s;
        break;
      }
    }
    if (!section && (count > 0 || target.names.empty())) {
      section = &registry.sections.emplace_back(posix::MakeSection(ToHeader(target, count)));
    }
  }
  posix::SetPair(*section, value_name, text);
  return Store(path_, registry);
}

bool FileRegistry::DeleteKey(RegRoot root, const std::string& key) {
  KeyPath target = FromApi(root, key);
  SectionText registry;
  if (target.names.empty() || !Load(path_, registry, false)) return false;
  bool found = false;
  for (const Section& s : registry.sections) {
    auto path = FromHeader(s);
    if (!path || !IsWithin(*path, target, false)) continue;
    if (path->names.size() > target.names.size()) return false;  // has a subkey
    found = true;
  }
  if (!found) return false;
  std::erase_if(registry.sections,
                [&](const Section& s) { return IsKey(s, target, target.names.size()); });
  return Store(path_, registry);
}

std::optional<std::string> FileRegistry::GetValue(RegRoot root, const std::string& key,
                                                  const std::string& value_name) {
  SectionText registry;
  if (!Load(path_, registry, false)) return std::nullopt;
  KeyPath target = FromApi(root, key);
  for (const Section& s : registry.sections) {
    if (!IsKey(s, target, target.names.size())) continue;
    if (const auto* pair = posix::FindPair(s, value_name)) return pair->value;
  }
  return std::nullopt;
}

bool FileRegistry::KeyExists(RegRoot root, const std::string& key) {
  KeyPath target = FromApi(root, key);
  if (target.names.empty()) return true;
  SectionText registry;
  if (!Load(path_, registry, false)) return false;
  // A key exists when it or anything below it was written.
  for (const Section& s : registry.sections) {
    auto path = FromHeader(s);
    if (path && IsWithin(*path, target, false)) return true;
  }
  return false;
}

}  // namespace tv
