// SPDX-License-Identifier: GPL-3.0-or-later
// Program-wide state shared by every window. One object, owned by the application, so
// every run (and every test) starts from a fresh program.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "program/browser_state.h"
#include "program/web_picture_list.h"

namespace tv {

class Form;
class HtmlView;

inline constexpr int kPictureSlots = 20001;  // indices 0 to 20000

struct PictureList {
  std::vector<std::string> entries;  // full paths in display order, at most kPictureSlots
  int32_t count = 0;                 // valid entries
  std::string text;                  // every entry as a line of its own, followed by CR LF
  int64_t left_out = 0;              // pictures of the folder that did not fit the list

  void Clear();
  // Appends when a slot is free; returns false when the list is full.
  bool Append(const std::string& path);
  // Takes a picture out of the list (it went to the wastebasket); false when not listed.
  bool Remove(const std::string& path);
  const std::string& At(int index) const;  // "" outside 0..count-1
  // Whether the path is an entry: picture commands act on nothing else.
  bool Contains(const std::string& path) const { return index_.count(path) > 0; }

 private:
  std::unordered_set<std::string> index_;
};

struct ProgramState {
  PictureList pictures;             // the gallery's picture list
  bool exit_flag = false;           // the gallery is closing; ends MainLoop
  bool search_stop = false;         // ends a running folder search
  std::string selected_picture;     // picture under the mouse at the last right-click
  Form* active_window = nullptr;    // window last activated
  HtmlView* active_view = nullptr;  // the view wheel scrolling acts on
  WebPictureList web_pictures;      // large pictures of the web page scanned last
  PictureSaving picture_saving;     // download folder, file-name counter, save running
  BrowserState browser;             // the browser's flags, tab table and closed pages
  std::string dialog_folder;        // folder of the file last chosen in an open or save dialog
};

}  // namespace tv
