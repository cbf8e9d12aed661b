// SPDX-License-Identifier: GPL-3.0-or-later
// What a fuzz target holds of a reader beyond not crashing: a broken promise stops the
// run with the promise, so libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define TV_FUZZ_REQUIRE(condition)                                                 \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                \
    }                                                                              \
  } while (0)
