#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from build/ and checks it as a distribution would: lintian with
# no error or warning, and a hardened program (hardening-check).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rm -f "$build"/tessaview_*.deb
cmake --build "$build" --target package > "$build/package.log" 2>&1 || { cat "$build/package.log"; exit 1; }
deb=$(ls "$build"/tessaview_*.deb)
echo "lintian $deb"
lintian --fail-on error,warning "$deb"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
# Control-flow protection is left out: Debian 12's C start files carry no CET marking, so
# the linker marks no program of it so, whatever its own code is compiled with.
hardening-check --nocfprotection "$unpacked/usr/bin/tessaview"
