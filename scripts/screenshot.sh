#!/usr/bin/env bash
# Makes docs/gallery.png (four pictures a row) and docs/gallery-panel.png (with the folder
# panel shown): the real gallery window under Xvfb on a folder of generated pictures.
# Builds into build/ first, unless BUILD_DIR names a build to use as it is.
set -euo pipefail
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
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

pictures=$HOME/图片/春游
mkdir -p "$pictures"
for i in $(seq -w 1 16); do
  convert -size 400x300 plasma:fractal "$pictures/春游_$i.jpg"
done

# Layout: one, two, three, four a row; the panel needs a moment to be laid out.
cat > "$root/script" <<SCRIPT
settle
click Command7
click Command7
click Command7
settle
wait 300
snapshot $out/gallery.png
click ChkFace
wait 500
snapshot $out/gallery-panel.png
close
SCRIPT

xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" --script "$root/script" "$pictures" 2>/dev/null
echo "wrote $out/gallery.png and $out/gallery-panel.png"
