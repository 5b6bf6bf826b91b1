#!/bin/sh
# A report printed over an earlier one, and a picture drawn over an earlier one, killed at random
# moments, 40 times each: the file is always whole, the earlier one or the new one; the next print
# or drawing leaves no part file behind.
# usage: report-killed.sh HARNESS DRAW MAKEDATA SAMPLE.json [TIMES]
harness="$1" draw="$2"
times=${5:-40}
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
"$3" "$d" "$4" >/dev/null || exit 1
set="$d/data/home"
"$harness" --taskset "$set" --task 1 >/dev/null || { echo "solve failed"; exit 1; }
status=0

# killed NAME WHOLE COMMAND...: runs COMMAND 40 times, each killed within 10 to 90 ms (a print or
# a drawing takes about 50 ms); after each, WHOLE must hold.
killed() {
  name=$1 whole=$2
  shift 2
  i=0
  while [ $i -lt "$times" ]; do
    i=$((i + 1))
    "$@" >/dev/null 2>&1 &
    sleep "$(($(od -An -N1 -tu1 /dev/urandom) % 80 + 10))e-3"
    kill -9 $! 2>/dev/null
    wait $! 2>/dev/null
    $whole || { echo "$name, kill $i: not whole"; status=1; }
  done
}

pdf="$d/task.pdf"
"$harness" --taskset "$set" --task 1 --report task -o "$pdf" || { echo "first print failed"; exit 1; }
twoPages() { [ "$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')" = 2 ]; }
killed "the task report" twoPages "$harness" --taskset "$set" --task 1 --report task -o "$pdf"

png="$d/plan.png"
"$draw" --taskset "$set" --task 1 -o "$d/new.png" || { echo "first drawing failed"; exit 1; }
"$draw" --taskset "$set" --task 1 --size 100x100 -o "$d/earlier.png" || exit 1
cp "$d/earlier.png" "$png"
earlierOrNew() { cmp -s "$png" "$d/earlier.png" || cmp -s "$png" "$d/new.png"; }
killed "the picture" earlierOrNew "$draw" --taskset "$set" --task 1 -o "$png"

# The part files the kills left go with the next print and the next drawing.
"$harness" --taskset "$set" --task 1 --report task -o "$pdf" || { echo "last print failed"; exit 1; }
"$draw" --taskset "$set" --task 1 -o "$png" || { echo "last drawing failed"; exit 1; }
left=$(find "$d" -maxdepth 1 -name '*.part')
[ -z "$left" ] || { echo "part files left: $left"; status=1; }
exit $status
