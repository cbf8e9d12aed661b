#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Tessaview builds, runs and tests with, when any is missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libgtk-3-dev libwebkit2gtk-4.1-dev libjson-glib-dev libjpeg62-turbo-dev libgdk-pixbuf-2.0-dev
  googletest libgtest-dev
  libxtst-dev xvfb xauth imagemagick libjpeg-turbo-progs fonts-noto-cjk desktop-file-utils appstream
  webp-pixbuf-loader heif-gdk-pixbuf libavif-gdk-pixbuf clang-14 libclang-rt-14-dev
  clang-format-14 lintian devscripts
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
