#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a person typing at a terminal sees: help and version on stdout with exit 0, an
# unknown option refused with exit 2, and a folder named like an option still opens.
#   run_command_line.sh PROGRAM
set -u
prog=$1
root=$(mktemp -d /tmp/tessaview-cli.XXXXXX)
trap 'rm -rf "$root"' EXIT
export HOME=$root/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_RUNTIME_DIR=$root/run LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fail=0
matches() { [ -z "$1" ] || grep -Eq "$1" "$2"; }
check() {  # check NAME WANT-RC STDOUT-REGEX STDERR-REGEX -- ARGS...  ("" checks nothing)
  local name=$1 rc=$2 out=$3 err=$4
  shift 5
  (cd "$root" && timeout 60 "$prog" "$@" > "$root/out" 2> "$root/err")
  local got=$?
  if [ "$got" != "$rc" ] || ! matches "$out" "$root/out" || ! matches "$err" "$root/err"; then
    echo "$name: exit $got (want $rc)"; echo "stdout:"; cat "$root/out"; echo "stderr:"; cat "$root/err"
    fail=1
  fi
}
check help 0 '^Usage: tessaview ' '' -- --help
check short-help 0 '^Usage: tessaview ' '' -- -h
check version 0 '^Tessaview [0-9]+\.[0-9]+$' '' -- --version
check unknown 2 '' "unknown option '--frobnicate'" -- --frobnicate "$root"
check unknown-short 2 '' "unknown option '-x'" -- -x
check script-missing 2 '' "needs a file" -- --headless --script
[ "$(wc -c < "$root/out")" = 0 ] || { echo "an error printed to stdout"; fail=1; }

# A folder called "-x" with one picture in it, opened after "--" and as "./-x".
mkdir -p "$root/-x"
printf 'GIF89a\001\000\001\000\000\000\000;%040d' 0 > "$root/-x/a.gif"
printf 'print picture count\nprint Dir1.Path\n' > "$root/script"
check after-dashes 0 '^picture count=1$' '' -- --headless --script "$root/script" -- -x
grep -q "^Dir1.Path=$root/-x$" "$root/out" || { echo "after --: $(cat "$root/out")"; fail=1; }
check dot-slash 0 '^picture count=1$' '' -- --headless --script "$root/script" ./-x
exit $fail
