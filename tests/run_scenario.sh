#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one scenario: builds its files, starts the program on its script (once per part
# between "#! restart" lines) and compares the output with its "#=" lines.
#   run_scenario.sh PROGRAM FIXTURE_TOOL SCENARIO --headless|--desktop
set -u
prog=$1 fixture=$2 scn=$3 mode=$4
root=$(mktemp -d /tmp/tessaview-scn.XXXXXX)
trap 'rm -rf "$root"' EXIT
export HOME=$root/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$root/run
mkdir -p "$HOME/Pictures" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export LC_ALL=C.UTF-8
# Headless, the system's data folders are the test's own but for the MIME database, so an
# installed copy of the program changes nothing; the desktop keeps the system's (themes,
# icons, settings schemas).
if [ "$mode" = --headless ]; then
  export XDG_DATA_DIRS=$root/sys XDG_CONFIG_DIRS=$root/sysconf
  mkdir -p "$root/sys/applications" "$root/sysconf"
  ln -s /usr/share/mime "$root/sys/mime"
fi

"$fixture" "$root" "$scn" || { echo "fixture failed"; exit 1; }

expand() { sed "s|<root>|$root|g"; }
parts=$(grep -c '^#! restart' "$scn")
: > "$root/actual"
status=0
for ((part = 0; part <= parts; part++)); do
  awk -v want="$part" 'BEGIN{p=0} /^#! restart/{p++; next} p==want' "$scn" | expand > "$root/script"
  arg=$(grep -m1 '^#! args ' "$root/script" | sed 's/^#! args //')
  # A desktop run's screen: 1280x1024 unless the part names another ("#! screen 1024x768").
  screen=$(grep -m1 '^#! screen ' "$root/script" | sed 's/^#! screen //')
  cmd=("$prog")
  if [ "$mode" = --desktop ]; then
    cmd=(xvfb-run -a -s "-screen 0 ${screen:-1280x1024}x24" "$prog" --script "$root/script")
  else
    cmd+=(--headless --script "$root/script")
  fi
  [ -n "$arg" ] && cmd+=("$arg")
  timeout 100 "${cmd[@]}" > "$root/out" 2> "$root/err" || status=$?
  cat "$root/out" >> "$root/actual"
  [ $status -ne 0 ] && { echo "program exited $status"; cat "$root/err"; }
done

sed -n 's/^#= \{0,1\}//p' "$scn" > "$root/expected"
# Each run has a page folder of its own with a made-up name; the scripts name the pages
# without it.
sed -e "s|$root|<root>|g" -e 's|<root>/run/tessaview/run-[0-9]*-[A-Za-z0-9]\{6\}/|<root>/run/tessaview/|g' \
  "$root/actual" > "$root/actual.clean"
fail=0
if ! diff -u "$root/expected" "$root/actual.clean"; then fail=1; fi
# Every run removes its page folder when it closes.
for left in "$XDG_RUNTIME_DIR"/tessaview/run-*; do
  [ -e "$left" ] && { echo "page folder left behind: $left"; fail=1; }
done

# Files the run must leave (or not leave) behind.
while read -r verb a b; do
  path=$(printf '%s' "$a" | expand)
  case "$verb" in
    missing) [ ! -e "$path" ] || { echo "should be gone: $a"; fail=1; } ;;
    exists) [ -e "$path" ] || { echo "should exist: $a"; fail=1; } ;;
    same) sed "s|$root|<root>|g" "$path" > "$root/same" 2>/dev/null
          cmp "$root/same" "$(dirname "$scn")/$b" || { echo "differs: $a from $b"; fail=1; } ;;
  esac
done < <(sed -n 's/^#! after //p' "$scn")

[ $status -eq 0 ] && [ $fail -eq 0 ]
