// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/xdg_desktop_integration.h"

#include <gio/gio.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/application_id.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/run_program.h"
#include "platform/posix/user_folders.h"

namespace tv {

namespace {

constexpr int kRefreshTimeoutMs = 10000;
constexpr const char* kAdded = "Added Associations";
constexpr const char* kRecordGroup = "Open With";
constexpr const char* kRecordAdded = "Added";
// The entry earlier versions wrote; it claimed the kinds itself and so became their default.
constexpr const char* kOldEntry = "tessaview-open.desktop";

struct KeyFileFree {
  void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileFree>;

// Desktops that read the MIME cache forget the old entry only once it is rebuilt.
void RefreshMimeCache(const std::string& folder) {
  posix::RunProgram({"update-desktop-database", "-q", folder}, kRefreshTimeoutMs);
}

bool Exists(const std::string& path) {
  return g_file_test(path.c_str(), G_FILE_TEST_EXISTS);
}

// The key file at `path`; an empty one when there is none. Nothing when it exists but
// cannot be read: it is then left as it is.
KeyFile Load(const std::string& path) {
  KeyFile file(g_key_file_new());
  if (!Exists(path)) return file;
  if (!g_key_file_load_from_file(file.get(), path.c_str(), G_KEY_FILE_KEEP_COMMENTS, nullptr)) {
    return nullptr;
  }
  return file;
}

bool MakeFolderOf(const std::string& path) {
  gchar* dir = g_path_get_dirname(path.c_str());
  bool made = g_mkdir_with_parents(dir, 0700) == 0;
  g_free(dir);
  return made;
}

bool Save(GKeyFile* file, const std::string& path) {
  return MakeFolderOf(path) && g_key_file_save_to_file(file, path.c_str(), nullptr);
}

bool WriteList(const std::string& path, const std::string& text) {
  return MakeFolderOf(path) && posix::WriteFileAtomic(path, text);
}

std::vector<std::string> List(GKeyFile* file, const char* group, const char* key) {
  std::vector<std::string> items;
  gchar** values = g_key_file_get_string_list(file, group, key, nullptr, nullptr);
  for (gchar** v = values; v && *v; ++v) {
    if (**v) items.emplace_back(*v);
  }
  g_strfreev(values);
  return items;
}

void SetList(GKeyFile* file, const char* group, const char* key,
             const std::vector<std::string>& items) {
  std::vector<const gchar*> values;
  for (const auto& item : items) values.push_back(item.c_str());
  g_key_file_set_string_list(file, group, key, values.data(), values.size());
}

// The user's list is edited line by line, so that every other line, comment and blank
// stays as the user left it.
struct ListText {
  std::string text;
  bool Load(const std::string& path) {
    text.clear();
    if (!Exists(path)) return true;
    return posix::ReadFileLimited(path, text, size_t{1} << 20) == posix::ReadResult::kOk;
  }
};

std::string Joined(const std::vector<std::string>& ids) {
  std::string line;
  for (const auto& id : ids) line += id + ";";
  return line;
}

// Where the group's lines begin and end (after its header, before the next group).
bool FindGroup(const std::string& text, size_t& begin, size_t& end) {
  const std::string header = std::string("[") + kAdded + "]";
  size_t at = 0;
  while (at < text.size()) {
    size_t eol = text.find('\n', at);
    if (eol == std::string::npos) eol = text.size();
    if (text.compare(at, eol - at, header) == 0) {
      begin = std::min(eol + 1, text.size());
      end = begin;
      while (end < text.size() && text[end] != '[') {
        size_t next = text.find('\n', end);
        end = next == std::string::npos ? text.size() : next + 1;
      }
      return true;
    }
    at = eol + 1;
  }
  return false;
}

// Sets the type's line of the added associations (removes it for no ids); the group is
// added at the end when there is none, and taken out again once empty if it was added.
std::string WithAddedLine(std::string text, const std::string& type,
                          const std::vector<std::string>& ids, bool drop_empty_group) {
  size_t begin = 0, end = 0;
  if (!FindGroup(text, begin, end)) {
    if (ids.empty()) return text;
    if (!text.empty() && text.back() != '\n') text += '\n';
    if (!text.empty()) text += '\n';
    text += std::string("[") + kAdded + "]\n";
    begin = end = text.size();
  }
  const std::string key = type + "=";
  size_t line = begin;
  while (line < end && text.compare(line, key.size(), key) != 0) {
    line = text.find('\n', line);
    line = line == std::string::npos ? end : line + 1;
  }
  size_t line_end = line;
  if (line < end) {
    line_end = text.find('\n', line);
    line_end = line_end == std::string::npos ? text.size() : line_end + 1;
  } else {
    // A new key goes after the group's last key, before the blanks that end it.
    line = end;
    while (line > begin && text[line - 1] == '\n' && text[line - 2] == '\n') --line;
    line_end = line;
  }
  std::string replacement = ids.empty() ? "" : key + Joined(ids) + "\n";
  text.replace(line, line_end - line, replacement);
  if (ids.empty() && drop_empty_group && FindGroup(text, begin, end) &&
      text.find_first_not_of('\n', begin) >= end) {
    size_t header = text.rfind('[', begin - 1);
    // The blank line put before it goes too.
    if (header >= 2 && text[header - 1] == '\n' && text[header - 2] == '\n') --header;
    text.erase(header, end - header);
  }
  return text;
}

bool Contains(const std::vector<std::string>& items, const std::string& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

// An entry of the program that came with its installation, which the user's entry of
// the same name would hide.
bool InstalledEntryExists(const std::vector<std::string>& system_data) {
  for (const std::string& dir : system_data) {
    gchar* path = g_build_filename(dir.c_str(), "applications", kDesktopEntryName, nullptr);
    bool found = g_file_test(path, G_FILE_TEST_IS_REGULAR);
    g_free(path);
    if (found) return true;
  }
  return false;
}

std::string RuntimeEntry(const std::string& exec) {
  // The installed entry but for Exec. No MimeType: the kinds come from the added
  // associations alone, which keep the present handlers first.
  return "[Desktop Entry]\nType=Application\nName=Tessaview\nGenericName=Picture Viewer\n"
         "Comment=Browse folders of pictures as pages of thumbnails\n"
         "Exec=" +
         exec + " %f\nIcon=" + kApplicationId +
         "\nTerminal=false\nCategories=Graphics;Viewer;\n"
         "StartupWMClass=" +
         kApplicationId + "\nKeywords=picture;photo;image;gallery;thumbnail;\n";
}

void RemoveOldEntry(const std::string& folder) {
  if (g_unlink((folder + kOldEntry).c_str()) == 0) RefreshMimeCache(folder);
}

}  // namespace

std::vector<std::string> SystemDataFolders() {
  std::vector<std::string> folders;
  for (const gchar* const* dir = g_get_system_data_dirs(); dir && *dir; ++dir) {
    folders.push_back(*dir);
  }
  return folders;
}

std::string GioDefaultHandler(const std::string& mime_type) {
  GAppInfo* app = g_app_info_get_default_for_type(mime_type.c_str(), FALSE);
  if (!app) return "";
  const char* id = g_app_info_get_id(app);
  std::string name = id ? id : "";
  g_object_unref(app);
  return name;
}

std::string DesktopExecQuote(const std::string& argument) {
  std::string quoted = "\"";
  if (!g_utf8_validate(argument.data(), argument.size(), nullptr)) return "";
  for (char c : argument) {
    // Control characters have no place in a key file's value.
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "";
    if (c == '"' || c == '`' || c == '$') {
      // The quoting backslash is itself escaped for the key file.
      quoted += "\\\\";
      quoted += c;
    } else if (c == '\\') {
      // Quoting doubles it, and the key file's string escape doubles it again.
      quoted += "\\\\\\\\";
    } else if (c == '%') {
      quoted += "%%";
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

XdgDesktopIntegration::XdgDesktopIntegration(OpenWithPlaces places,
                                             DefaultHandlerFinder current_default)
    : places_(std::move(places)), current_default_(std::move(current_default)) {
  places_.applications = posix::WithSlash(places_.applications);
}

std::string XdgDesktopIntegration::EntryPath() const {
  return places_.applications + kDesktopEntryName;
}

bool XdgDesktopIntegration::InstallOpenWith(const std::string& executable) {
  const bool installed_entry = InstalledEntryExists(places_.system_data);
  const std::string exec = DesktopExecQuote(executable);
  if (!installed_entry && (executable.empty() || exec.empty())) return false;
  RemoveOldEntry(places_.applications);

  KeyFile record = Load(places_.record);
  KeyFile list = Load(places_.mimeapps);
  ListText text;
  if (!record || !list || !text.Load(places_.mimeapps)) return false;
  if (!g_key_file_has_group(record.get(), kRecordGroup)) {
    g_key_file_set_boolean(record.get(), kRecordGroup, "CreatedList", !Exists(places_.mimeapps));
    g_key_file_set_boolean(record.get(), kRecordGroup, "AddedGroup",
                           !g_key_file_has_group(list.get(), kAdded));
  }

  // The user's entry of the program's name would hide the installed one.
  if (installed_entry) {
    if (g_key_file_get_boolean(record.get(), kRecordGroup, "WroteEntry", nullptr)) {
      g_unlink(EntryPath().c_str());
    }
    g_key_file_set_boolean(record.get(), kRecordGroup, "WroteEntry", FALSE);
  } else {
    if (g_mkdir_with_parents(places_.applications.c_str(), 0755) != 0 ||
        !posix::WriteFileAtomic(EntryPath(), RuntimeEntry(exec))) {
      return false;
    }
    g_key_file_set_boolean(record.get(), kRecordGroup, "WroteEntry", TRUE);
  }

  bool list_changed = false;
  for (const char* type : kOpenWithTypes) {
    if (g_key_file_has_key(record.get(), kRecordAdded, type, nullptr)) continue;  // done before
    std::vector<std::string> ids = List(list.get(), kAdded, type);
    if (Contains(ids, kDesktopEntryName)) continue;  // the user's own choice
    // GIO takes the first handler it finds, and the user's list is read before any
    // installed entry: the present default goes first, the program after it.
    const std::string present = current_default_(type);
    if (present.empty() || present == kDesktopEntryName) continue;
    std::vector<std::string> added;
    if (!Contains(ids, present)) {
      ids.insert(ids.begin(), present);
      added.push_back(present);
    }
    ids.push_back(kDesktopEntryName);
    added.push_back(kDesktopEntryName);
    text.text = WithAddedLine(std::move(text.text), type, ids, false);
    SetList(record.get(), kRecordAdded, type, added);
    list_changed = true;
  }
  if (list_changed && !WriteList(places_.mimeapps, text.text)) return false;
  return Save(record.get(), places_.record);
}

bool XdgDesktopIntegration::RemoveOpenWith() {
  RemoveOldEntry(places_.applications);
  if (!Exists(places_.record)) return true;
  KeyFile record = Load(places_.record);
  KeyFile list = Load(places_.mimeapps);
  ListText text;
  if (!record || !list || !text.Load(places_.mimeapps)) return false;

  const bool added_group =
      g_key_file_get_boolean(record.get(), kRecordGroup, "AddedGroup", nullptr);
  bool list_changed = false;
  gchar** types = g_key_file_get_keys(record.get(), kRecordAdded, nullptr, nullptr);
  for (gchar** type = types; type && *type; ++type) {
    std::vector<std::string> ids = List(list.get(), kAdded, *type);
    const size_t before = ids.size();
    for (const auto& added : List(record.get(), kRecordAdded, *type)) {
      auto at = std::find(ids.begin(), ids.end(), added);
      if (at != ids.end()) ids.erase(at);
    }
    if (ids.size() == before) continue;
    list_changed = true;
    text.text = WithAddedLine(std::move(text.text), *type, ids, added_group);
  }
  g_strfreev(types);

  if (list_changed) {
    const bool created = g_key_file_get_boolean(record.get(), kRecordGroup, "CreatedList", nullptr);
    if (created && text.text.empty()) {
      if (g_unlink(places_.mimeapps.c_str()) != 0) return false;
    } else if (!WriteList(places_.mimeapps, text.text)) {
      return false;
    }
  }
  if (g_key_file_get_boolean(record.get(), kRecordGroup, "WroteEntry", nullptr)) {
    g_unlink(EntryPath().c_str());
  }
  return g_unlink(places_.record.c_str()) == 0 || !Exists(places_.record);
}

bool XdgDesktopIntegration::IsInstalled() {
  return Exists(places_.record);
}

}  // namespace tv
