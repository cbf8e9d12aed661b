#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes docs/browser.png (the browser frame on a page), docs/browser-gallery.png (the
# page's pictures as a web gallery) and docs/browser-detail.png (one picture in the detail
# window): the real windows under Xvfb on a local page of generated pictures.
# Builds into build/ first, unless BUILD_DIR names a build to use as it is.
set -euo pipefail
. "$(dirname "$0")/shots-env.sh"

site=$root/site
mkdir -p "$site"
{
  echo '<!DOCTYPE html><html><head><meta charset="utf-8"><title>春游相册</title></head>'
  echo '<body style="font-family:sans-serif"><h1>春游相册</h1><p>十二张照片。</p>'
  for i in $(seq -w 1 12); do
    convert -size 800x600 plasma:fractal "$site/photo_$i.jpg"
    echo "<img src=\"photo_$i.jpg\" width=\"800\" height=\"600\"><br>"
  done
  echo '</body></html>'
} > "$site/album.htm"

cat > "$root/script" <<SCRIPT
settle
click Command6
settle
window FormWeb
navigate $site/album.htm
settle
wait 1000
window FormExplore
snapshot $out/browser.png
click Chk
settle
click Command7
click Command7
settle
wait 1000
snapshot $out/browser-gallery.png
window FormWeb
follow 1 WebPic
settle
wait 1000
window FormImage
snapshot $out/browser-detail.png
SCRIPT

xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" --script "$root/script" 2>/dev/null
echo "wrote $out/browser.png, $out/browser-gallery.png and $out/browser-detail.png"
