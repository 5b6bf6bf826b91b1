#!/bin/sh
# A report printed over an earlier one, and a picture drawn over an earlier one, killed at random
# moments, 40 times each: the file is always whole, the earlier one or the new one; the next print
# or drawing leaves no part file behind.
# A run sent a signal it can take leaves no part file at all.
# usage: report-killed.sh HARNESS DRAW MAKEDATA SAMPLE.json TASK.json [TIMES]
harness="$1" draw="$2"
times=${6:-40}
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
"$3" "$d" "$4" >/dev/null || exit 1
set="$d/data/home"
"$harness" --taskset "$set" --task 1 >/dev/null || { echo "solve failed"; exit 1; }
status=0

# Whether a run's part file is there, beside the target or among the CSV files (no fork: quick).
partFile() {
  for f in "$d"/.*.part "$d"/solutions/.*.part; do [ -e "$f" ] && return 0; done
  return 1
}

# killed SIGNAL NAME WHOLE COMMAND...: runs COMMAND 40 times, each sent SIGNAL within 10 to 90 ms (a
# print or a drawing takes about 50 ms) or, every other run for a signal it can take, once it has
# made its part file; after each, WHOLE must hold, and a run that could take the
# signal (not KILL) left no part file.
killed() {
  signal=$1 name=$2 whole=$3
  shift 3
  i=0
  while [ $i -lt "$times" ]; do
    i=$((i + 1))
    # A job started with "&" from a script ignores SIGINT: the run is given the default back.
    env --default-signal=INT "$@" >/dev/null 2>&1 &
    if [ "$signal" != 9 ] && [ $((i % 2)) -eq 0 ]; then
      # Every other run that can take the signal gets it once its part file is there.
      while kill -0 $! 2>/dev/null && ! partFile; do :; done
    else
      sleep "$(($(od -An -N1 -tu1 /dev/urandom) % 80 + 10))e-3"
    fi
    kill -"$signal" $! 2>/dev/null
    wait $! 2>/dev/null
    $whole || { echo "$name, $signal $i: not whole"; status=1; }
    left=$(find "$d" -maxdepth 2 -name '.*.part')
    [ "$signal" = 9 ] || [ -z "$left" ] || { echo "$name, $signal $i: left $left"; status=1; }
  done
}

pdf="$d/task.pdf"
"$harness" --taskset "$set" --task 1 --report task -o "$pdf" || { echo "first print failed"; exit 1; }
twoPages() { [ "$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')" = 2 ]; }
killed 9 "the task report" twoPages "$harness" --taskset "$set" --task 1 --report task -o "$pdf"

png="$d/plan.png"
"$draw" --taskset "$set" --task 1 -o "$d/new.png" || { echo "first drawing failed"; exit 1; }
"$draw" --taskset "$set" --task 1 --size 100x100 -o "$d/earlier.png" || exit 1
cp "$d/earlier.png" "$png"
earlierOrNew() { cmp -s "$png" "$d/earlier.png" || cmp -s "$png" "$d/new.png"; }
killed 9 "the picture" earlierOrNew "$draw" --taskset "$set" --task 1 -o "$png"

# The part files the kills left go with the next print and the next drawing.
"$harness" --taskset "$set" --task 1 --report task -o "$pdf" || { echo "last print failed"; exit 1; }
"$draw" --taskset "$set" --task 1 -o "$png" || { echo "last drawing failed"; exit 1; }
left=$(find "$d" -maxdepth 1 -name '*.part')
[ -z "$left" ] || { echo "part files left: $left"; status=1; }

# A run ended by a signal it can take removes its part files itself: a print, a drawing of a task
# file, the CSV export.
killed TERM "the task report" twoPages "$harness" --taskset "$set" --task 1 --report task -o "$pdf"
# A runtime folder of the caller's: no scratch folder is made, and the part file goes all the same.
mkdir -m 700 "$d/run"
"$draw" "$5" -o "$d/new.png" || { echo "drawing the task file failed"; exit 1; }
cp "$d/earlier.png" "$png"
killed INT "the picture of a task file" earlierOrNew env XDG_RUNTIME_DIR="$d/run" "$draw" "$5" -o "$png"
csv="$d/solutions/Sample delivery-posit.csv"
(cd "$d" && "$harness" --taskset "$set" --task 1 --csv >/dev/null) || { echo "first export failed"; exit 1; }
cp "$csv" "$d/posit.csv"
sameList() { cmp -s "$csv" "$d/posit.csv"; }
killed HUP "the CSV files" sameList sh -c 'cd "$1" && exec "$2" --taskset "$3" --task 1 --csv' sh "$d" "$harness" "$set"
exit $status
