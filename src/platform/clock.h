// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tv {

struct DateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
};

}  // namespace tv
