#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop's own verdict on 查看 › 驻在文件夹菜单上, in a private home whose only other
# programs are a picture viewer and a file manager: `gio mime` names the same default
# handlers before, while and after the program is offered, lists the program while it is,
# and after it is turned off the user's files are as they were.
#   open_with_gio.sh PROGRAM
set -u
prog=$1
command -v gio > /dev/null || { echo "gio missing: skipped"; exit 0; }
root=$(mktemp -d /tmp/tessaview-gio.XXXXXX)
trap 'rm -rf "$root"' EXIT
export HOME=$root/home XDG_CONFIG_HOME=$root/home/.config XDG_DATA_HOME=$root/home/.local/share
export XDG_CACHE_HOME=$root/home/.cache XDG_RUNTIME_DIR=$root/run XDG_DATA_DIRS=$root/sys
export XDG_CONFIG_DIRS=$root/sysconf LC_ALL=C.UTF-8
mkdir -p "$HOME/Pictures" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$root/sys/applications"
chmod 700 "$XDG_RUNTIME_DIR"
# The kinds of file themselves come from the system's MIME database.
ln -s /usr/share/mime "$root/sys/mime"
entry() {
  printf '[Desktop Entry]\nType=Application\nName=%s\nExec=/bin/true %%f\nMimeType=%s\n' "$2" "$3" \
    > "$root/sys/applications/$1.desktop"
}
entry viewer Viewer 'image/jpeg;image/png;image/gif;'
entry files Files 'inode/directory;'
# GIO finds the kinds an entry claims through the folder's MIME cache.
update-desktop-database -q "$root/sys/applications"
# The user's own list, which must come back byte for byte.
printf '[Default Applications]\nimage/gif=viewer.desktop\n' > "$XDG_CONFIG_HOME/mimeapps.list"
cp "$XDG_CONFIG_HOME/mimeapps.list" "$root/mine"

types="image/jpeg image/png image/gif image/bmp inode/directory"
defaults() { for t in $types; do gio mime "$t" | head -1; done; }
defaults > "$root/before"
fail=0
toggle() {
  printf 'menu Folder\nprint Folder.Checked\n' > "$root/script"
  "$prog" --headless --script "$root/script" > "$root/out" 2>&1 || { cat "$root/out"; fail=1; }
}

toggle
grep -q 'Folder.Checked=True' "$root/out" || { echo "not turned on"; cat "$root/out"; fail=1; }
defaults > "$root/while"
diff -u "$root/before" "$root/while" || { echo "a default handler changed"; fail=1; }
for t in image/jpeg image/png inode/directory; do
  gio mime "$t" | grep -q 'io.github.tessaview.Tessaview.desktop' ||
    { echo "not offered for $t"; gio mime "$t"; fail=1; }
done
gio mime image/bmp | grep -q 'tessaview' && { echo "offered where it would be the default"; fail=1; }

toggle
grep -q 'Folder.Checked=False' "$root/out" || { echo "not turned off"; cat "$root/out"; fail=1; }
cmp "$root/mine" "$XDG_CONFIG_HOME/mimeapps.list" || { echo "mimeapps.list changed"; fail=1; }
ls "$XDG_DATA_HOME/applications/" 2> /dev/null | grep -q . && { echo "entry left behind"; fail=1; }
defaults > "$root/after"
diff -u "$root/before" "$root/after" || fail=1
exit $fail
