#!/bin/sh
# The harness's printed reports: each of the five as a PDF file with its texts; bad input gives
# exit status 2, one line on standard error and no file.
# usage: report-files.sh HARNESS MAKEDATA SAMPLE.json
harness="$1"
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
"$2" "$d" "$3" >/dev/null || exit 1
set="$d/data/home"
"$harness" --taskset "$set" --task 1 --clear >/dev/null 2>&1
"$harness" --taskset "$set" --task 1 >/dev/null || { echo "solve failed"; exit 1; }
status=0
check() { # KIND PAGES TEXT... : the report of KIND has PAGES pages holding every TEXT
  kind=$1 pages=$2
  shift 2
  "$harness" --taskset "$set" --task 1 --report $kind -o "$d/$kind.pdf" 2>"$d/err.txt" || {
    echo "$kind: exit status $?: $(cat "$d/err.txt")"; status=1; return; }
  n=$(pdfinfo "$d/$kind.pdf" | sed -n 's/^Pages: *//p')
  [ "$n" = "$pages" ] || { echo "$kind: $n pages, not $pages"; status=1; }
  pdftotext -layout "$d/$kind.pdf" "$d/$kind.txt"
  for text in "$@"; do
    grep -q -- "$text" "$d/$kind.txt" || { echo "$kind: no \"$text\""; status=1; }
  done
}
check containers 1 "Sheet / 2D Container Library" "Semi-trailer 13.6 m" "\*\*\* Rectix 1.95 \*\*\*"
check boxes 1 "Part / 2D Box Library" "Euro pallet" "\*\*\* Rectix 1.95 \*\*\*"
check task 2 "Task Name:" "Sample delivery" "2D Boxes to Pack:" "\*\*\* Rectix 1.95 \*\*\*"
check solution 2 "Solution for a task:" "Positions for Cont No:" "\*\*\* Rectix 1.95 \*\*\*"
check layout 1 "Layout for a task:" "Sample delivery"
# Another container: its positions alone.
"$harness" --taskset "$set" --task 1 --report solution --container 3 -o "$d/three.pdf" &&
  [ "$(pdfinfo "$d/three.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || { echo "container 3: not one page"; status=1; }
for args in "--report poster -o $d/bad.pdf" "--report solution --container 2 -o $d/bad.pdf" \
            "--report boxes --container 1 -o $d/bad.pdf" "--report task" "--report task -o $d/none/bad.pdf" \
            "--csv -o $d/bad.pdf"; do
  "$harness" --taskset "$set" --task 1 $args >"$d/out.txt" 2>"$d/err.txt"
  code=$?
  if [ "$code" -ne 2 ] || [ "$(wc -l <"$d/err.txt")" -ne 1 ] || [ -e "$d/bad.pdf" ]; then
    echo "$args: exit status $code: $(cat "$d/err.txt")"
    status=1
  fi
done
exit $status
