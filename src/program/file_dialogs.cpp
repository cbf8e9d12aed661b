// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/file_dialogs.h"

#include "platform/platform.h"
#include "program/application.h"
#include "text/text_util.h"

namespace tv {

namespace {

std::string StartFolder(Application& app, const std::string& initial_folder, int filter_index) {
  Platform& p = app.Services();
  if (!initial_folder.empty() && p.fs.IsFolder(initial_folder)) return initial_folder;
  const std::string& last = app.State().dialog_folder;
  if (!last.empty() && p.fs.IsFolder(last)) return last;
  return filter_index == kFilterPictures ? p.paths.PicturesFolder() : p.paths.DownloadsFolder();
}

std::string Remembered(Application& app, const std::string& path) {
  if (!path.empty()) app.State().dialog_folder = UpToLastSlash(path);
  return path;
}

}  // namespace

std::string BrowseFolder(Platform& platform, const std::string& title, Form* owner) {
  return platform.dialogs.BrowseFolder(owner, title.empty() ? "Select a folder:" : title);
}

std::string OpenFileDialog(Application& app, Form* owner, const std::string& title,
                           const std::string& initial_folder, int filter_index) {
  const std::string start = StartFolder(app, initial_folder, filter_index);
  return Remembered(app, app.Services().dialogs.OpenFile(owner, title, start, filter_index));
}

std::string SaveFileDialog(Application& app, Form* owner, const std::string& title,
                           const std::string& default_name, int filter_index) {
  const std::string start = StartFolder(app, "", filter_index);
  return Remembered(app, app.Services().dialogs.SaveFile(
                             owner, title, start, CleanFileName(default_name), filter_index));
}

std::string CleanFileName(const std::string& name) {
  static const std::pair<char, const char*> kTable[] = {
      {'\\', ""}, {'/', " "}, {':', "："}, {'*', "，"},
      {'<', "["}, {'>', "]"}, {'|', "I"},  {'?', "？"},
  };
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    const char* replacement = nullptr;
    for (const auto& [from, to] : kTable) {
      if (c == from) replacement = to;
    }
    if (replacement) {
      out += replacement;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace tv
