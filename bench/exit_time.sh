#!/usr/bin/env bash
# Prints how long the program takes to end after OK on "Exit?", measured by its parent's wait,
# on a private X display with a window manager. A program started detached is reaped by the
# system's init instead, which can add a second or more that is not the program's.
# Needs Xvfb, openbox and xdotool. Usage: bench/exit_time.sh [build folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-5}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=$display
for ((i = 1; i <= runs; i++)); do
  rm -rf "$work/app" && mkdir -p "$work/app"
  cp -a "$build/rectix" "$build/data" "$build/rectix.ini" "$work/app/"
  (cd "$work/app" && exec ./rectix >/dev/null 2>&1) &
  app=$!
  sleep 3
  xdotool key alt+e
  sleep 1
  start=$(date +%s.%N)
  xdotool key Return
  wait $app
  end=$(date +%s.%N)
  printf 'run %d: %.3f s\n' "$i" "$(echo "$end - $start" | bc)"
done
