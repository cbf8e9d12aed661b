#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program alone and starts the gallery:
# scripts/run.sh [folder-or-picture]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTV_DESKTOP=ON > /dev/null
# The program and the extension its web processes load; tests and benchmarks wait for test.sh.
cmake --build build -j"$(nproc)" --target tessaview tessaview-webext
exec build/tessaview "$@"
