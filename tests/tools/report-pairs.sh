#!/bin/sh
# Two runs printing one target at the same moment, 20 times, every other time from one table set
# (one of them then mostly finds it busy), else from two: a run that ends with status 0 put its own
# report in place (when both do, the target is one of the two, whole); when both end with status 2
# the earlier file is there. A file of the user's named like a part
# file beside the target is never touched, and no part file is left. Then the CSV export of one
# task from both sets into one folder: the three files in place come from one run. Last, two lay-outs
# of the data into one empty folder: both end with status 0 and the sets are whole.
# usage: report-pairs.sh HARNESS MAKEDATA SAMPLE.json [PAIRS]
harness=$(realpath "$1")
pairs=${4:-20}
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
for s in a b; do
  mkdir "$d/$s"
  "$2" "$d/$s" "$3" >/dev/null || exit 1
  "$harness" --taskset "$d/$s/data/home" --task 1 >/dev/null || { echo "$s: solve failed"; exit 1; }
done
out="$d/out"
mkdir "$out"
text() { pdftotext "$1" - 2>/dev/null | md5sum; }
# What each run prints, and the earlier file, as text: the bytes differ by the time of printing.
"$harness" --taskset "$d/a/data/home" --task 1 --report task -o "$d/a.pdf" &&
  "$harness" --taskset "$d/b/data/home" --task 1 --report layout -o "$d/b.pdf" &&
  "$harness" --taskset "$d/a/data/home" --task 1 --report containers -o "$d/earlier.pdf" || exit 1
a=$(text "$d/a.pdf") b=$(text "$d/b.pdf") earlier=$(text "$d/earlier.pdf")
echo notes >"$out/out.pdf.part"
status=0
i=0
while [ $i -lt "$pairs" ]; do
  i=$((i + 1))
  cp "$d/earlier.pdf" "$out/out.pdf"
  "$harness" --taskset "$d/a/data/home" --task 1 --report task -o "$out/out.pdf" >/dev/null 2>"$d/a.err" &
  pa=$!
  other=b
  [ $((i % 2)) -eq 0 ] && other=a
  "$harness" --taskset "$d/$other/data/home" --task 1 --report layout -o "$out/out.pdf" >/dev/null 2>"$d/b.err" &
  pb=$!
  wait $pa
  ca=$?
  wait $pb
  cb=$?
  now=$(text "$out/out.pdf")
  case "$ca$cb" in
    02) [ "$now" = "$a" ] || { echo "pair $i: the first run ended with 0 but its report is not in place"; status=1; } ;;
    20) [ "$now" = "$b" ] || { echo "pair $i: the second run ended with 0 but its report is not in place"; status=1; } ;;
    00) [ "$now" = "$a" ] || [ "$now" = "$b" ] || { echo "pair $i: both ended with 0, the target is neither report"; status=1; } ;;
    22) [ "$now" = "$earlier" ] || { echo "pair $i: both refused, but the earlier file changed"; status=1; } ;;
    *) echo "pair $i: exit status $ca and $cb: $(cat "$d/a.err" "$d/b.err")"; status=1 ;;
  esac
  echo "$ca$cb" >>"$d/codes"
done
[ "$(cat "$out/out.pdf.part")" = notes ] || { echo "the user's out.pdf.part changed"; status=1; }
left=$(find "$out" -name '*.part' ! -name out.pdf.part)
[ -z "$left" ] || { echo "part files left: $left"; status=1; }
echo "report pairs: $(sort "$d/codes" | uniq -c | awk '{printf "%s%s x%s", sep, $2, $1; sep=", "}')"

# The CSV export of one task name from both sets into one folder: the three files come from one run.
# The sets' dates tell the runs apart; each file's first line holds the date. A pair is quick, and a
# mix-up rare: three times as many pairs.
sqlite3 "$d/b/data/home/tasks.db" "UPDATE tasks SET Date='2001-02-03' WHERE TaskID=1" || exit 1
i=0
while [ $i -lt $((pairs * 3)) ]; do
  i=$((i + 1))
  (cd "$out" && "$harness" --taskset "$d/a/data/home" --task 1 --csv >/dev/null 2>"$d/a.err") &
  pa=$!
  (cd "$out" && "$harness" --taskset "$d/b/data/home" --task 1 --csv >/dev/null 2>"$d/b.err")
  cb=$?
  wait $pa
  ca=$?
  [ "$ca$cb" = 00 ] || { echo "csv pair $i: exit status $ca and $cb: $(cat "$d/a.err" "$d/b.err")"; status=1; }
  [ "$(head -qn1 "$out"/solutions/*.csv | sort -u | wc -l)" = 1 ] ||
    { echo "csv pair $i: the files come from both runs"; status=1; }
done

i=0
while [ $i -lt "$pairs" ]; do
  i=$((i + 1))
  p="$d/fresh$i"
  mkdir "$p"
  "$2" "$p" "$3" >/dev/null 2>"$d/a.err" &
  pa=$!
  "$2" "$p" "$3" >/dev/null 2>"$d/b.err"
  cb=$?
  wait $pa
  ca=$?
  [ "$ca$cb" = 00 ] || { echo "data pair $i: exit status $ca and $cb: $(cat "$d/a.err" "$d/b.err")"; status=1; }
  for s in home export import; do
    [ "$(ls "$p/data/$s"/*.db 2>/dev/null | wc -l)" = 8 ] || { echo "data pair $i: the $s set is not whole"; status=1; }
  done
  [ "$(sqlite3 "$p/data/home/tasks.db" 'SELECT count(*) > 0 FROM tasks' 2>&1)" = 1 ] ||
    { echo "data pair $i: no sample"; status=1; }
  [ "$(ls -A "$p/data" | tr '\n' ' ')" = "export home import " ] || { echo "data pair $i: left $(ls -A "$p/data")"; status=1; }
done
exit $status
