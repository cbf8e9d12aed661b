#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the formatting and the include floors, builds, and runs
# every test: unit and scenario tests, the desktop tests under Xvfb, the Debian package
# (lintian, hardening-check), then the headless tests and the desktop's picture saving
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  xargs -0 clang-format-14 --dry-run -Werror
scripts/check-include-floors.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
scripts/check-package.sh

# The sanitized build: the headless tests, and the desktop's picture saving against hostile
# pages (the program and its tests only; the engine's processes are not sanitized).
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTV_DESKTOP=ON -DTV_SANITIZE=ON > /dev/null
cmake --build build-asan -j"$(nproc)" --target tessaview tv_fixture tessaview_tests \
  tessaview_desktop_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2 -LE desktop
ctest --test-dir build-asan --output-on-failure -L sanitized-desktop

# A short run of each reader's fuzz target from its seeds (the long runs are by hand).
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DTV_DESKTOP=OFF -DTV_FUZZ=ON > /dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_targets
for reader in history favorites settings; do
  corpus=$(mktemp -d)
  build-fuzz/fuzz/${reader}_reader_fuzz -runs=20000 -artifact_prefix=build-fuzz/ \
    "$corpus" fuzz/corpus/$reader 2>&1 | tail -n 1
  rm -rf "$corpus"
done
