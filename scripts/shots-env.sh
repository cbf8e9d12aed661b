# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the screenshot scripts: builds into build/ unless BUILD_DIR names a build,
# and gives the run a private home, so nothing of the user's is touched. Sets prog, out
# (the docs folder) and root (removed on exit).
cd "$(dirname "$0")/.."
if [ -z "${BUILD_DIR:-}" ]; then
  scripts/build.sh
  BUILD_DIR=build
fi
prog=$BUILD_DIR/tessaview
mkdir -p docs
out=$(pwd)/docs

root=$(mktemp -d /tmp/tessaview-shots.XXXXXX)
trap 'rm -rf "$root"' EXIT
export HOME=$root/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$root/run
export LC_ALL=C.UTF-8
mkdir -p "$XDG_RUNTIME_DIR" "$HOME/Pictures" && chmod 700 "$XDG_RUNTIME_DIR"
