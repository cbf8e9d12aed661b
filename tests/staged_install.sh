#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program installed into a private prefix, as a package places it: every file where
# the desktop looks for it and valid by the desktop's own tools, one name used throughout,
# a manual that names every option of --help, the licence and the copyright, and the
# installed program running from there. Headless it lists a folder and offers itself in "Open with" through the installed
# entry; on the desktop (Xvfb) the gallery shows a folder and the browser shows a local
# page's pictures, which only the installed web process extension can load; without that
# extension it says so and shows no window.
#   staged_install.sh CMAKE BUILD_DIR --headless|--desktop
# Exits 77 (skipped) when a checking tool is missing.
set -u
cmake=$1 build=$2 mode=$3
id=io.github.tessaview.Tessaview
root=$(mktemp -d /tmp/tessaview-install.XXXXXX)
trap 'rm -rf "$root"' EXIT
prefix=$root/prefix
fail=0
bad() { echo "$*"; fail=1; }

for tool in desktop-file-validate appstreamcli; do
  command -v $tool > /dev/null || { echo "$tool missing: skipped"; exit 77; }
done
"$cmake" --install "$build" --prefix "$prefix" > "$root/install.log" 2>&1 ||
  { cat "$root/install.log"; exit 1; }
prog=$prefix/bin/tessaview
share=$prefix/share
entry=$share/applications/$id.desktop
for f in bin/tessaview share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/symbolic/apps/$id-symbolic.svg \
  share/man/man1/tessaview.1.gz share/doc/tessaview/copyright share/doc/tessaview/changelog.gz \
  share/licenses/tessaview/COPYING; do
  [ -f "$prefix/$f" ] || bad "not installed: $f"
done
[ $fail = 0 ] || exit 1

# The desktop's own checks, and the one name everywhere.
desktop-file-validate "$entry" || bad "desktop entry refused"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" > "$root/as.log" 2>&1 ||
  { cat "$root/as.log"; bad "metainfo refused"; }
for key in "Icon=$id" "StartupWMClass=$id" "Exec=tessaview %f"; do
  grep -qx "$key" "$entry" || bad "desktop entry lacks $key"
done
grep -q '^MimeType=' "$entry" && bad "the entry claims kinds of file"
grep -q "<id>$id</id>" "$share/metainfo/$id.metainfo.xml" || bad "metainfo has another id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$share/metainfo/$id.metainfo.xml" || bad "metainfo launches another entry"

# The licence: the GPL's text, and Debian's machine-readable copyright file naming it.
grep -q 'GNU GENERAL PUBLIC LICENSE' "$prefix/share/licenses/tessaview/COPYING" &&
  grep -q 'Version 3, 29 June 2007' "$prefix/share/licenses/tessaview/COPYING" ||
  bad "COPYING is not the GPL version 3"
copyright=$share/doc/tessaview/copyright
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$copyright" || bad "the copyright file is not machine-readable"
grep -qx 'License: GPL-3+' "$copyright" && grep -q '/usr/share/common-licenses/GPL-3' "$copyright" ||
  bad "the copyright file names another licence"

# The manual and the changelog: the program's version, and every option that --help lists.
"$prog" --version > "$root/version" || bad "--version failed"
version=$(sed 's/^Tessaview //' "$root/version")
zcat "$share/man/man1/tessaview.1.gz" > "$root/manual.1" || bad "the manual is not gzipped"
grep -q "^\.TH TESSAVIEW 1 .*\"Tessaview $version\"" "$root/manual.1" ||
  bad "the manual is not of version $version"
zcat "$share/doc/tessaview/changelog.gz" | head -1 | grep -q "^tessaview ($version) " ||
  bad "the changelog is not of version $version"
sed 's/\\-/-/g' "$root/manual.1" > "$root/manual"
"$prog" --help | grep -oE '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u > "$root/options"
[ -s "$root/options" ] || bad "--help lists no options"
while read -r option; do
  grep -qE -- "(^|[ \"])$option([ \"]|$)" "$root/manual" || bad "the manual lacks $option"
done < "$root/options"

# A private home, as a new user's.
export HOME=$root/home XDG_CONFIG_HOME=$root/home/.config XDG_DATA_HOME=$root/home/.local/share
export XDG_CACHE_HOME=$root/home/.cache XDG_RUNTIME_DIR=$root/run LC_ALL=C.UTF-8
mkdir -p "$HOME/pics" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

if [ "$mode" = --headless ]; then
  command -v convert > /dev/null || { echo "convert missing: skipped"; exit 77; }
  convert -size 64x48 xc:orange "$HOME/pics/a.jpg"
  printf 'print picture count\nprint Lab(2).Caption\n' > "$root/list"
  "$prog" --headless --script "$root/list" "$HOME/pics" > "$root/out" 2>&1 || bad "run failed"
  printf 'picture count=1\nLab(2).Caption=图片总数：1\n' | diff -u - "$root/out" || fail=1

  # Open with, where the desktop does not see the installed entry: the program writes its
  # own, which is the installed one but for the installed program's path. From a first
  # start, so the item starts unchecked.
  rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" && mkdir -p "$XDG_CONFIG_HOME"
  printf 'menu Folder\nprint Folder.Checked\n' > "$root/toggle"
  on() { "$prog" --headless --script "$root/toggle" > "$root/out" 2>&1 &&
    grep -qx 'Folder.Checked=True' "$root/out" || { cat "$root/out"; bad "not turned on"; }; }
  off() { "$prog" --headless --script "$root/toggle" > "$root/out" 2>&1 &&
    grep -qx 'Folder.Checked=False' "$root/out" || { cat "$root/out"; bad "not turned off"; }; }
  # The desktop's only other program is a picture viewer.
  export XDG_DATA_DIRS=$root/sys
  mkdir -p "$XDG_DATA_DIRS/applications"
  ln -s /usr/share/mime "$XDG_DATA_DIRS/mime"
  printf '[Desktop Entry]\nType=Application\nName=Viewer\nExec=/bin/true %%f\nMimeType=image/jpeg;\n' \
    > "$XDG_DATA_DIRS/applications/viewer.desktop"
  command -v update-desktop-database > /dev/null && update-desktop-database -q "$XDG_DATA_DIRS/applications"
  on
  written=$XDG_DATA_HOME/applications/$id.desktop
  if [ -f "$written" ]; then
    grep -qx "Exec=\"$prog\" %f" "$written" || bad "the written entry starts $(grep ^Exec "$written")"
    diff -u <(grep -v '^Exec=' "$entry") <(grep -v '^Exec=' "$written") ||
      bad "the written entry differs from the installed one"
  else
    bad "no entry written"
  fi
  off
  [ -e "$written" ] && bad "the written entry stayed"

  # Where the desktop sees the installed entry (and its program on the PATH, as an
  # installed one is), that one is offered and none is written.
  export XDG_DATA_DIRS=$share:$root/sys PATH=$prefix/bin:$PATH
  on
  [ -e "$written" ] && bad "an entry written beside the installed one"
  if command -v gio > /dev/null; then
    gio mime image/jpeg > "$root/gio"
    grep -q "$id.desktop" "$root/gio" || { cat "$root/gio"; bad "not offered"; }
    head -1 "$root/gio" | grep -q 'viewer.desktop' || { cat "$root/gio"; bad "default changed"; }
  fi
  off
  exit $fail
fi

# The desktop: the gallery on a folder, then the browser on a local page whose pictures
# are a TIFF picture and a JPEG picture whose name is not UTF-8; the engine can load
# neither by itself, so they show only through the installed extension.
for tool in xvfb-run convert; do
  command -v $tool > /dev/null || { echo "$tool missing: skipped"; exit 77; }
done
[ -n "$(find "$prefix" -name libtessaview-webext.so)" ] || bad "no web extension installed"
convert -size 64x48 xc:orange "$HOME/pics/a.jpg"
site=$root/site
mkdir -p "$site"
convert -size 800x700 xc:teal "$site/scan.tif"
convert -size 800x700 xc:navy "$site/$(printf 'caf\351').jpg"
printf '<html><body><img src="scan.tif"><img src="caf%%E9.jpg"></body></html>' > "$site/page.htm"
cat > "$root/script" << SCRIPT
settle
print Web.Images
click Command6
settle
window FormWeb
navigate $site/page.htm
settle
wait 1000
window FormExplore
click Chk
settle
print web picture count
window FrmMain
close
SCRIPT
timeout 100 xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" --script "$root/script" "$HOME/pics" \
  > "$root/out" 2> "$root/err" || { cat "$root/err"; bad "the desktop run failed"; }
printf 'Web.Images=1\nweb picture count=2\n' | diff -u - "$root/out" || fail=1

# Without its extension: the message names the file and the folders looked in, on standard
# error and in the message box (reported by the scripted run), and no gallery starts.
extension=$(find "$prefix" -name libtessaview-webext.so)
rm -f "$extension"
status=0
timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" --script "$root/script" "$HOME/pics" \
  > "$root/out" 2> "$root/err" || status=$?
[ $status = 1 ] || bad "without its extension the program ended with $status"
grep -q "web process extension libtessaview-webext.so is missing" "$root/err" &&
  grep -qxF "  $(dirname "$extension")" "$root/err" ||
  { cat "$root/err"; bad "no message on standard error"; }
grep -q '^message: Tessaview: 找不到网页显示扩展 libtessaview-webext.so' "$root/out" &&
  grep -qxF "  $(dirname "$extension")" "$root/out" ||
  { cat "$root/out"; bad "no message box"; }
grep -q '^Web.Images=' "$root/out" && bad "the gallery started without its extension"
exit $fail
