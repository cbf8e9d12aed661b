// SPDX-License-Identifier: GPL-3.0-or-later
// The wall clock in local time.
#pragma once

#include "platform/clock.h"

namespace tv {

class SystemClock : public Clock {
 public:
  DateTime Now() override;
};

}  // namespace tv
