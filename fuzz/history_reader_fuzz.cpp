// SPDX-License-Identifier: GPL-3.0-or-later
// The day's history file as the history view reads it, and the rows a page window adds
// to it: any bytes give a whole page, and a title or address never becomes markup.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/posix/iconv_text_encoding.h"
#include "tests/support/memory_file_system.h"
#include "webpics/history_log.h"

namespace {

constexpr const char* kTail = "</table></body></html>\r\n";
constexpr const char* kRowNote = "</a>  </td>  <td>  Lumbra浏览器</td> </tr>";

bool HasMarkup(const std::string& text) {
  return text.find_first_of("<>\"") != std::string::npos;
}

// A row is the fixed frame around three escaped pieces; the address holds no blank either,
// as it stands unquoted.
void CheckRow(const std::string& row) {
  const std::string open = "<tr>  <td>", link = "</td>  <td>  <a href=", target = " target=_blank>";
  TV_FUZZ_REQUIRE(row.compare(0, open.size(), open) == 0);
  const size_t when_end = row.find(link);
  TV_FUZZ_REQUIRE(when_end != std::string::npos);
  const size_t address_end = row.find(target, when_end);
  TV_FUZZ_REQUIRE(address_end != std::string::npos);
  const std::string note = kRowNote;
  TV_FUZZ_REQUIRE(row.size() >= note.size() + address_end + target.size());
  TV_FUZZ_REQUIRE(row.compare(row.size() - note.size(), note.size(), note) == 0);
  const std::string when = row.substr(open.size(), when_end - open.size());
  const size_t address_start = when_end + link.size();
  const std::string address = row.substr(address_start, address_end - address_start);
  const size_t title_start = address_end + target.size();
  const std::string title = row.substr(title_start, row.size() - note.size() - title_start);
  TV_FUZZ_REQUIRE(!HasMarkup(when) && !HasMarkup(address) && !HasMarkup(title));
  for (unsigned char c : address) TV_FUZZ_REQUIRE(c > ' ' && c != 0x7f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string when = in.ConsumeRandomLengthString(24);
  const std::string address = in.ConsumeRandomLengthString(80);
  const std::string title = in.ConsumeRandomLengthString(120);
  const std::string day_file = in.ConsumeRemainingBytesAsString();

  // The view's page: the fixed head, then only lines of the file, then the tail.
  const std::string page = tv::HistoryPage(day_file);
  const std::string empty_page = tv::HistoryPage("");
  const std::string head = empty_page.substr(0, empty_page.size() - 2 - std::string(kTail).size());
  TV_FUZZ_REQUIRE(page.compare(0, head.size(), head) == 0);
  TV_FUZZ_REQUIRE(page.size() >= head.size() + std::string(kTail).size());
  TV_FUZZ_REQUIRE(page.compare(page.size() - std::string(kTail).size(), std::string::npos, kTail) ==
                  0);
  TV_FUZZ_REQUIRE(page.size() <= head.size() + day_file.size() * 2 + 2 + 30);
  tv::IconvTextEncoding encoding;
  const std::string gb = encoding.FromUtf8(page, "GB18030");
  TV_FUZZ_REQUIRE(gb.compare(0, 9, "<!DOCTYPE") == 0);

  CheckRow(tv::HistoryRow(when, address, title));

  // A page's row appended to that file comes back in the view, after the rows before it.
  tv::HistoryLog log;
  log.TitleChanged(title, address, "home", when);
  tv::test::MemoryFileSystem fs;
  fs.files["/h/2027-3-5.dat"] = day_file;
  TV_FUZZ_REQUIRE(log.AppendTo(fs, "/h/", tv::DateTime{2027, 3, 5, 9, 7, 0}));
  const std::string& appended = fs.files["/h/2027-3-5.dat"];
  TV_FUZZ_REQUIRE(appended.compare(0, day_file.size(), day_file) == 0);
  if (!log.Buffer().empty()) {
    CheckRow(log.Buffer().substr(0, log.Buffer().size() - 2));
    const std::string with_row = tv::HistoryPage(appended);
    const size_t lines = static_cast<size_t>(std::count(day_file.begin(), day_file.end(), '\n'));
    if (lines < 900) {
      // A line of its own, even after a file whose last line was cut short.
      const std::string row = log.Buffer().substr(0, log.Buffer().size() - 2);
      TV_FUZZ_REQUIRE(with_row.find("\r\n" + row + "\r\n") != std::string::npos);
    }
  }
  return 0;
}
