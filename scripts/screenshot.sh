#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes docs/gallery.png (four pictures a row) and docs/gallery-panel.png (with the folder
# panel shown): the real gallery window under Xvfb on a folder of generated pictures.
# Builds into build/ first, unless BUILD_DIR names a build to use as it is.
set -euo pipefail
. "$(dirname "$0")/shots-env.sh"

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
