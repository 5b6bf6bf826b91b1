#!/bin/sh
# A report printed over an earlier one and killed at random moments, 40 times: the file is always
# a whole report of its two pages, the earlier one or the new one; the next print leaves no part.
# usage: report-killed.sh HARNESS MAKEDATA SAMPLE.json [TIMES]
harness="$1"
times=${4:-40}
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
"$2" "$d" "$3" >/dev/null || exit 1
set="$d/data/home"
"$harness" --taskset "$set" --task 1 >/dev/null || { echo "solve failed"; exit 1; }
pdf="$d/task.pdf"
"$harness" --taskset "$set" --task 1 --report task -o "$pdf" || { echo "first print failed"; exit 1; }
status=0
i=0
while [ $i -lt "$times" ]; do
  i=$((i + 1))
  "$harness" --taskset "$set" --task 1 --report task -o "$pdf" >/dev/null 2>&1 &
  # Up to 80 ms: a print takes about 50 ms.
  sleep "0.0$(($(od -An -N1 -tu1 /dev/urandom) % 80 + 10))"
  kill -9 $! 2>/dev/null
  wait $! 2>/dev/null
  pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
  [ "$pages" = 2 ] || { echo "kill $i: the report reads as \"$pages\" pages"; status=1; }
done
# The part files the kills left go with the next print of the report.
"$harness" --taskset "$set" --task 1 --report task -o "$pdf" || { echo "last print failed"; exit 1; }
left=$(find "$d" -maxdepth 1 -name '*.part')
[ -z "$left" ] || { echo "part files left: $left"; status=1; }
exit $status
