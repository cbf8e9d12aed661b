#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The floors of the README's Structure section: a folder of src/ includes only its own
# floor and the ones below it. Above their floor, only the front-ends include the view they
# implement, and the control models, which own their views, its destructor.
#   check-include-floors.sh [SRC_FOLDER]
set -u
src=${1:-$(dirname "$0")/../src}
floor() {
  case $1 in
    text) echo 1 ;;
    platform | reduced_pictures) echo 2 ;;
    program) echo 3 ;;
    host) echo 4 ;;
    gallery | frame | webpics | favorites | download | settings) echo 5 ;;
    app) echo 6 ;;
    *) echo 0 ;;
  esac
}
fail=0
while IFS= read -r -d '' file; do
  rel=${file#"$src"/}
  own=$(floor "${rel%%/*}")
  if [ "$own" = 0 ]; then
    echo "$rel: in no floor"
    fail=1
    continue
  fi
  while IFS=: read -r line target; do
    top=${target%%/*}
    [ "$top" = "$target" ] && continue  # a file beside it
    to=$(floor "$top")
    [ "$to" = 0 ] && continue  # not the project's
    [ "$to" -le "$own" ] && continue
    case $rel:$target in
      platform/gtk/*:host/html_view.h | platform/headless/*:host/html_view.h) continue ;;
      platform/control.cpp:host/html_view.h | platform/form.cpp:host/html_view.h) continue ;;
    esac
    echo "$rel:$line: includes $target, a floor above"
    fail=1
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
    sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
exit $fail
