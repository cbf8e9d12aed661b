// SPDX-License-Identifier: GPL-3.0-or-later
// Listing one folder into the picture list.
#include <string>
#include <vector>

#include "gallery/frm_main.h"
#include "gallery/picture_name.h"
#include "program/application.h"

namespace tv {

std::string NormalizeFolder(const std::string& folder) {
  std::string f = folder.empty() ? "/" : folder;
  while (f.size() > 1 && f.back() == '/') f.pop_back();
  return f;
}

void FrmMain::SetDirPath(const std::string& folder) {
  // A folder that does not exist leaves the list where it was, as the system does.
  std::string f = NormalizeFolder(folder);
  if (!Services().fs.IsFolder(f)) return;
  folder_list->SetPath(f);
}

void FrmMain::SetDriveFor(const std::string& folder) {
  std::string best = "/";
  for (const std::string& drive : Services().fs.Drives()) {
    std::string d = NormalizeFolder(drive);
    bool under = folder == d || (folder.rfind(d == "/" ? d : d + "/", 0) == 0);
    if (under && d.size() > best.size()) best = d;
  }
  quiet_drive_ = true;
  drive_list->SetPath(best);
  quiet_drive_ = false;
}

void FrmMain::ShowChosenDrive() {
  if (quiet_drive_) return;
  SetDirPath(drive_list->Path());
}

void FrmMain::ListChosenFolder() {
  listing_ran = true;
  PictureList& list = state_.pictures;
  list.Clear();
  current_folder = folder_list->Path();
  if (current_folder.empty() || current_folder.back() != '/') current_folder += '/';

  // One enumeration serves both passes: the order is the same each time.
  std::vector<DirEntry> names;
  Services().fs.List(current_folder, names,
                     [](const DirEntry& e) { return !e.is_folder && IsPictureName(e.name); });
  bool found = false;
  for (const DirEntry& e : names) {
    if (start_file.empty() || e.name == start_file) found = true;
    if (found && !list.Append(current_folder + e.name)) break;
  }
  for (const DirEntry& e : names) {
    if (start_file.empty() || e.name == start_file) break;
    if (!list.Append(current_folder + e.name)) break;
  }
  list.left_out = static_cast<int64_t>(names.size()) - list.count;
  FirstPage();
}

}  // namespace tv
