// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/history_log.h"

#include "platform/file_system.h"
#include "text/page_text.h"
#include "text/text_util.h"
#include "text/utf8.h"

namespace tv {

namespace {

constexpr size_t kTitleCharacters = 100, kRowTitleCharacters = 38;
constexpr int kHistoryLines = 1000;

constexpr const char* kHistoryHead[] = {
    ("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
     "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"),
    "<html xmlns=\"http://www.w3.org/1999/xhtml\">",
    "<head>",
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />",
    "<title>网站访问历史</title>",
    "<style type=\"text/css\">",
    "<!--",
    ".STYLE1 {color: #FF0000}",
    "-->",
    "</style>",
    "</head>",
    "",
    "<body>",
    "<table width=\"1000\" border=\"1\" align=\"center\">",
    "  <tr>    <td width=\"200\"><span class=\"STYLE1\">时间</span></td>     ",
    "  <td width=\"600\"><span class=\"STYLE1\">页面标题</span></td>     ",
    "  <td width=\"180\"><span class=\"STYLE1\">注释</span></td>   ",
    "  </tr>",
};

// The address stands unquoted: besides & < > " nothing may end it, so blanks and
// controls become references too; an address without them keeps its bytes.
std::string UnquotedAddress(const std::string& address) {
  std::string out;
  for (char c : address) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= ' ' || u == 0x7f) {
      out += "&#" + std::to_string(u) + ';';
    } else {
      out += HtmlEscape(std::string(1, c));
    }
  }
  return out;
}

// A row is one line of the day's file: line breaks and other controls in a title become
// blanks, which the page shows the same.
std::string OneLine(std::string text) {
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < ' ' || u == 0x7f) c = ' ';
  }
  return text;
}

// True when the file has bytes and does not end with a line break.
bool EndsCut(FileSystem& fs, const std::string& path) {
  auto file = fs.Open(path);
  if (!file || file->Length() == 0) return false;
  char last = '\n';
  return file->ReadAt(file->Length() - 1, &last, 1) == 1 && last != '\n';
}

}  // namespace

std::string HistoryRow(const std::string& when, const std::string& address,
                       const std::string& title) {
  return "<tr>  <td>" + HtmlEscape(OneLine(when)) +
         "</td>  <td>  <a href=" + UnquotedAddress(address) + " target=_blank>" +
         HtmlEscape(OneLine(CharLeft(title, kRowTitleCharacters))) +
         "</a>  </td>  <td>  Lumbra浏览器</td> </tr>";
}

std::string HistoryFileName(const DateTime& day, const std::string& extension) {
  return std::to_string(day.year) + "-" + std::to_string(day.month) + "-" +
         std::to_string(day.day) + extension;
}

void HistoryLog::TitleChanged(const std::string& title, const std::string& address,
                              const std::string& home_page, const std::string& when) {
  const std::string t = CharLeft(title, kTitleCharacters);
  if (t.empty() || t == last_title_ || address == home_page || t == kHistoryPageTitle) return;
  last_title_ = t;
  buffer_ = HistoryRow(when, address, t) + "\r\n" + buffer_;
}

bool HistoryLog::AppendTo(FileSystem& fs, const std::string& folder, const DateTime& today) const {
  const std::string path = folder + HistoryFileName(today);
  fs.SetAttributes(path, 0);
  // The block goes at the end of the day's file: the blocks already there are never
  // rewritten, and a page closed late in a busy day costs no more than the first.
  // A file whose last line was cut short (a write killed half-way) ends that line first,
  // so the first new row is not glued to its remains.
  const bool written = fs.Append(path, (EndsCut(fs, path) ? "\r\n" : "") + buffer_ + "\r\n");
  fs.SetAttributes(path, kAttrHidden | kAttrSystem);
  return written;
}

std::string HistoryPage(const std::string& day_file_text) {
  std::string page;
  // Each piece is written as a line of its own: the head, the rows (which begin with a
  // line break), the tail.
  for (const char* line : kHistoryHead) page += std::string(line) + "\r\n";
  page += "\r\n";
  std::string rows;
  const std::vector<std::string_view> lines = TextLines(day_file_text);
  for (size_t read = 0; read < lines.size() && read < kHistoryLines; ++read) {
    if (!lines[read].empty()) rows += "\r\n" + std::string(lines[read]);
  }
  page += rows + "\r\n";
  page += "</table></body></html>\r\n";
  return page;
}

}  // namespace tv
