// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/system_clock.h"

#include <ctime>

namespace tv {

DateTime SystemClock::Now() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  DateTime result;
  // localtime_r, unlike localtime, shares no buffer with other threads.
  if (::localtime_r(&now, &local) == nullptr) return result;
  result.year = local.tm_year + 1900;
  result.month = local.tm_mon + 1;
  result.day = local.tm_mday;
  result.hour = local.tm_hour;
  result.minute = local.tm_min;
  result.second = local.tm_sec;
  return result;
}

}  // namespace tv
