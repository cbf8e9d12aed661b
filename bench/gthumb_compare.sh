#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# gThumb on the same camera folder, for comparison with camera_folder_bench: the time until
# COUNT thumbnail files are made in its cache (cold; made, not yet painted: the bench times
# the painted screen from its pixels) and its peak memory.
#   xvfb-run -a -s "-screen 0 1280x1024x24" bench/gthumb_compare.sh FOLDER [COUNT]
# With --eog PICTURE, Eye of GNOME opening that one picture instead: its peak memory over
# the first five seconds (the floor the start-up on 1,000 small pictures is held to).
set -u
if [ "${1:-}" = --eog ]; then
  command -v eog >/dev/null || { echo "eog is not installed"; exit 0; }
  home=$(mktemp -d /tmp/eog-bench.XXXXXX)
  trap 'kill "$pid" 2>/dev/null; rm -rf "$home"' EXIT
  export HOME=$home XDG_CACHE_HOME=$home/cache XDG_CONFIG_HOME=$home/config
  eog "$2" >/dev/null 2>&1 &
  pid=$! peak=0
  for _ in $(seq 1 100); do
    sleep 0.05
    pss=$(awk '/^Pss:/{s+=$2} END{print s+0}' /proc/"$pid"/smaps_rollup 2>/dev/null)
    [ "${pss:-0}" -gt "$peak" ] && peak=$pss
  done
  echo "eog, one picture: peak memory $((peak / 1024)) MB"
  exit 0
fi
folder=$1 count=${2:-30}
command -v gthumb >/dev/null || { echo "gthumb is not installed"; exit 0; }
home=$(mktemp -d /tmp/gthumb-bench.XXXXXX)
trap 'kill "$pid" 2>/dev/null; rm -rf "$home"' EXIT
export HOME=$home XDG_CACHE_HOME=$home/cache XDG_CONFIG_HOME=$home/config
start=$(date +%s%N)
gthumb "$folder" >/dev/null 2>&1 &
pid=$!
peak=0 done_ms=""
for _ in $(seq 1 600); do
  sleep 0.05
  pss=$(awk '/^Pss:/{s+=$2} END{print s+0}' /proc/"$pid"/smaps_rollup 2>/dev/null)
  [ "${pss:-0}" -gt "$peak" ] && peak=$pss
  made=$(find "$XDG_CACHE_HOME/thumbnails" -name '*.png' 2>/dev/null | wc -l)
  if [ -z "$done_ms" ] && [ "$made" -ge "$count" ]; then
    done_ms=$(( ($(date +%s%N) - start) / 1000000 ))
  fi
  [ -n "$done_ms" ] && [ $(( ($(date +%s%N) - start) / 1000000 )) -gt $(( done_ms + 3000 )) ] && break
done
echo "gthumb, cold cache: $count thumbnails made in ${done_ms:-never} ms; peak memory $((peak / 1024)) MB"
