#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A home nothing can be written to (even by root: every folder of it lies under a plain
# file) and no runtime folder: the gallery still writes its page, into a private folder
# of the system's temporary folder, shows the pictures, and says once that the settings
# will not be kept.
#   read_only_home.sh PROGRAM FIXTURE_TOOL --headless|--desktop
set -u
prog=$1 fixture=$2 mode=$3
root=$(mktemp -d /tmp/tessaview-rohome.XXXXXX)
trap 'chmod -R u+w "$root" 2> /dev/null; rm -rf "$root"' EXIT
printf '#! picture <root>/pics/a.jpg 40x30\n#! picture <root>/pics/b.png 40x30\n' > "$root/setup.scn"
"$fixture" "$root" "$root/setup.scn" || { echo "fixture failed"; exit 1; }
printf 'no folders here\n' > "$root/home"
mkdir -m 700 "$root/tmp"
unset XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
export HOME=$root/home TMPDIR=$root/tmp LC_ALL=C.UTF-8
printf 'settle\nprint Lab(2).Caption\nprint Web.LocationURL\nanswer 50\nmenu ToolSetup\n' > "$root/script"
cmd=("$prog" --headless --script "$root/script" "$root/pics")
if [ "$mode" = --desktop ]; then
  cmd=(xvfb-run -a -s "-screen 0 1280x1024x24" "$prog" --script "$root/script" "$root/pics")
fi
timeout 100 "${cmd[@]}" > "$root/out" 2> "$root/err" || { echo "program failed"; cat "$root/out" "$root/err"; exit 1; }
fail=0
grep -q '^Lab(2).Caption=图片总数：2$' "$root/out" || fail=1
grep -Eq "^Web.LocationURL=file://$root/tmp/tessaview-[0-9]+/run-[0-9]+-[A-Za-z0-9]{6}/Tpc.htm$" \
  "$root/out" || fail=1
[ "$(grep -c '^message: .*设置.*不会保留' "$root/out")" = 1 ] || fail=1
grep -qi 'error opening' "$root/out" "$root/err" && fail=1
[ "$(stat -c %a "$root"/tmp/tessaview-*)" = 700 ] || fail=1
# The page folder goes when the program closes.
ls "$root"/tmp/tessaview-*/ | grep -q . && fail=1
[ $fail -eq 0 ] || { echo "--- out"; cat "$root/out"; echo "--- err"; cat "$root/err"; }
exit $fail
