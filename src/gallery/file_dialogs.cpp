#include "gallery/file_dialogs.h"

#include "platform/platform.h"

namespace tv {

std::string BrowseFolder(Platform& platform, const std::string& title, Form* owner) {
  return platform.dialogs.BrowseFolder(owner, title.empty() ? "Select a folder:" : title);
}

std::string OpenFileDialog(Platform& platform, Form* owner, const std::string& title,
                           const std::string& initial_folder, int filter_index) {
  return platform.dialogs.OpenFile(owner, title, initial_folder, filter_index);
}

std::string SaveFileDialog(Platform& platform, Form* owner, const std::string& title,
                           const std::string& default_name, int filter_index) {
  return platform.dialogs.SaveFile(owner, title, CleanFileName(default_name), filter_index);
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
