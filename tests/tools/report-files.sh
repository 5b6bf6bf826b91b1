#!/bin/sh
# The harness's printed reports: each of the five as a PDF file with its texts; bad input gives
# exit status 2, one line on standard error and no file.
# usage: report-files.sh HARNESS MAKEDATA SAMPLE.json
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
"$2" "$d" "$3" >/dev/null || exit 1
# The harness in a program folder of its own, whose settings file the reports follow.
harness="$d/rectix-solve"
ln "$1" "$harness" 2>/dev/null || cp "$1" "$harness" || exit 1
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
# Areas, labels and the layout as the program prints them, from the settings file beside the
# harness: without one, its defaults (area multiplier 1000); areas whole at power 0; the labels in
# the file's language; the layout in the view options it saved.
mv "$d/rectix.ini" "$d/defaults.ini"
# The sample's semi-trailer of 1360 x 245 holds 333200, its Euro pallet of 120 x 80 9600.
check task 2 "Area Mult: *1000 *$" "1360 *245 *333 *24000" "120 *80 *10 *450"
# One that cannot be read (a folder, a device) is as none, without a line.
for unreadable in folder device; do
  if [ $unreadable = folder ]; then mkdir "$d/rectix.ini"; else ln -s /dev/zero "$d/rectix.ini"; fi
  check task 2 "Area Mult: *1000 *$"
  [ ! -s "$d/err.txt" ] || { echo "settings file a $unreadable: $(cat "$d/err.txt")"; status=1; }
  rm -r "$d/rectix.ini"
done
(cd "$d" && "$harness" --taskset "$set" --task 1 --csv >/dev/null) && mv "$d/solutions" "$d/csv1000" ||
  { echo "csv: not written"; status=1; }
settings() { # SED-SCRIPT: the default settings file so edited
  sed "$1" "$d/defaults.ini" >"$d/rectix.ini"
}
settings '2s/^3/0/'
check task 2 "Area Mult: *1 *$" "1360 *245 *333200 *24000" "120 *80 *9600 *450"
(cd "$d" && "$harness" --taskset "$set" --task 1 --csv >/dev/null) || { echo "csv: not written"; status=1; }
# Each container's loaded area, whole and in thousands, rounded (no area of the sample ends in 500).
areas=$(cut -d, -f4 "$d/solutions/Sample delivery-conts.csv" | tail -n +4)
thousands=$(cut -d, -f4 "$d/csv1000/Sample delivery-conts.csv" | tail -n +4)
[ -n "$areas" ] && [ "$(echo "$areas" | awk '{ print int($1 / 1000 + 0.5) }')" = "$thousands" ] ||
  { echo "csv: loaded areas $areas, in thousands $thousands"; status=1; }
settings '26s/^0/1/'
check task 2 "Nombre 4 *Surf. 770" "Catalogue Bo"
# A language it does not know shows English; a multiplier out of range, its default.
settings '26s/^0/5/;2s/^3/9/'
check task 2 "Task Name:" "Area Mult: *1000 *$"
# Kind names in a colour set past the track's end, which the track brings to its last.
for palette in 8 99; do
  settings "13s/^555/1/;15s/^0/$palette/;20s/^0/1/"
  check layout 1 "Layout for a task:"
  pdftoppm -r 40 -png -singlefile "$d/layout.pdf" "$d/palette$palette"
done
rm "$d/rectix.ini"
check layout 1 "Layout for a task:"
pdftoppm -r 40 -png -singlefile "$d/layout.pdf" "$d/normal"
cmp -s "$d/normal.png" "$d/palette8.png" && { echo "layout: the saved view options were not used"; status=1; }
cmp -s "$d/palette8.png" "$d/palette99.png" || { echo "layout: a saved track past its end"; status=1; }
exit $status
