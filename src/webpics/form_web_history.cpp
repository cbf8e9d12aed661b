// SPDX-License-Identifier: GPL-3.0-or-later
// The page window's history: a row for every new title, the rows appended to the day's
// file when the window is unloaded.
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

#include "program/application.h"
#include "program/browser_state.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

// The short date, a blank and the long time, in the user's regional format.
std::string GeneralDateText(const DateTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  // The user's locale is read once: making it anew for every title cost more than the row.
  static const std::locale regional = [] {
    try {
      return std::locale("");
    } catch (const std::exception&) {
      return std::locale::classic();  // an unknown locale in the environment
    }
  }();
  std::ostringstream out;
  out.imbue(regional);
  out << std::put_time(&tm, "%x %X");
  return out.str();
}

}  // namespace

void FormWeb::AddHistoryRow(const std::string& title, const std::string& address) {
  history_.TitleChanged(title, address, b_.HomePage, GeneralDateText(Services().clock.Now()));
}

void FormWeb::WriteHistory() {
  Platform& p = Services();
  // A missing folder or an unwritable file loses the rows, as nothing else can be done
  // with them once the window is gone.
  history_.AppendTo(p.fs, p.paths.ProgramFolder() + "History/", p.clock.Now());
}

}  // namespace tv
