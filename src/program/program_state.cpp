// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/program_state.h"

#include "text/page_text.h"

namespace tv {

void PictureList::Clear() {
  entries.clear();
  count = 0;
  text.clear();
  left_out = 0;
  index_.clear();
}

bool PictureList::Append(const std::string& path) {
  if (count >= kPictureSlots) return false;
  entries.push_back(path);
  ++count;
  index_.insert(path);
  // A name with a line break must not split the exported list.
  text += PathAsLine(path);
  text += "\r\n";
  return true;
}

bool PictureList::Remove(const std::string& path) {
  if (index_.erase(path) == 0) return false;
  std::vector<std::string> kept;
  kept.reserve(entries.size());
  for (std::string& entry : entries) {
    if (entry != path) kept.push_back(std::move(entry));
  }
  entries.clear();
  count = 0;
  text.clear();
  for (std::string& entry : kept) {
    entries.push_back(std::move(entry));
    ++count;
    text += PathAsLine(entries.back());
    text += "\r\n";
  }
  return true;
}

const std::string& PictureList::At(int index) const {
  static const std::string empty;
  if (index < 0 || index >= count) return empty;
  return entries[static_cast<size_t>(index)];
}

}  // namespace tv
