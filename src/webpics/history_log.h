// SPDX-License-Identifier: GPL-3.0-or-later
// The pages a page window showed, as rows of the history table, kept in memory while the
// window lives and appended to the day's history file when it closes.
#pragma once

#include <string>

#include "platform/clock.h"

namespace tv {

class FileSystem;

inline constexpr const char* kHistoryPageTitle = "网站访问历史";

// One row: the time, the linked title (its first 38 characters) and the note. The address
// and the title are escaped, so a page cannot put markup into the history page.
std::string HistoryRow(const std::string& when, const std::string& address,
                       const std::string& title);

// "2027-3-5.dat": the day's file name, numbers without leading zeros.
std::string HistoryFileName(const DateTime& day, const std::string& extension = ".dat");

class HistoryLog {
 public:
  // Records a row for a new title (cut to 100 characters) unless it is empty, repeats the
  // last one, is the history page's own or the page is the home page. Newest first.
  void TitleChanged(const std::string& title, const std::string& address,
                    const std::string& home_page, const std::string& when);
  // Appends the rows and one more line break to the day's file in `folder`; false when
  // the file could not be written.
  bool AppendTo(FileSystem& fs, const std::string& folder, const DateTime& today) const;

  const std::string& Buffer() const { return buffer_; }

 private:
  std::string buffer_;      // rows, each followed by CR LF, newest first
  std::string last_title_;  // the title of the row recorded last
};

// Today's history page: the fixed head, the day's rows in file order (at most 1000 lines
// read, blank lines counted and dropped) and the tail, as UTF-8 text.
std::string HistoryPage(const std::string& day_file_text);

}  // namespace tv
