// SPDX-License-Identifier: GPL-3.0-or-later
// The real POSIX services and the headless front-end in a private home, as one Platform.
#pragma once

#include <memory>

#include "platform/front_end.h"
#include "platform/platform.h"
#include "platform/posix/posix_services.h"
#include "support/test_env.h"

namespace tv::test {

struct TestPlatform {
  TempHome home;  // first, so the services read its folders
  PosixServices posix;
  std::unique_ptr<FrontEnd> front = MakeHeadlessFrontEnd(posix.fs, posix.paths);
  Platform platform = PlatformOf(posix, *front, posix.fs);
};

}  // namespace tv::test
