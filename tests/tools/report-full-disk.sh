#!/bin/sh
# A report or a picture written over an earlier one on a full disk: exit status 2, one line on
# standard error, the earlier file byte for byte, and no part file left. The disk is a 64 KiB tmpfs
# where one can be mounted (as root), and always a file size limit that no file may pass.
# usage: report-full-disk.sh HARNESS DRAW MAKEDATA SAMPLE.json
harness="$1" draw="$2"
d=$(mktemp -d)
mounted=
cleanup() {
  [ -n "$mounted" ] && umount "$d/tiny"
  rm -rf "$d"
}
trap cleanup EXIT
"$3" "$d" "$4" >/dev/null || exit 1
set="$d/data/home"
"$harness" --taskset "$set" --task 1 >/dev/null || { echo "solve failed"; exit 1; }
status=0
# FOLDER LIMIT FILE EARLIER... -- AGAIN...: writes FILE into FOLDER with the command EARLIER, then
# again with AGAIN (a larger file) and the disk full.
check() {
  folder=$1 limit=$2 file="$1/$3"
  shift 3
  earlier=
  while [ "$1" != -- ]; do earlier="$earlier \"$1\""; shift; done
  shift
  again=
  for arg in "$@"; do again="$again \"$arg\""; done
  eval "$earlier -o \"$file\"" || { echo "$file: first write failed"; status=1; return; }
  cp "$file" "$d/earlier"
  if [ -z "$limit" ]; then
    dd if=/dev/zero of="$folder/filler" bs=1k 2>/dev/null # until the disk is full
    limit=unlimited
  fi
  sh -c "trap '' XFSZ; ulimit -f $limit; $again -o \"$file\"" >/dev/null 2>"$d/err.txt"
  code=$?
  [ "$code" -eq 2 ] || { echo "$file: exit status $code"; status=1; }
  [ "$(wc -l <"$d/err.txt")" -eq 1 ] || { echo "$file: not one line: $(cat "$d/err.txt")"; status=1; }
  cmp -s "$file" "$d/earlier" || { echo "$file: the earlier file changed"; status=1; }
  rm -f "$folder/filler"
  [ "$(ls -A "$folder")" = "$(basename "$file")" ] || { echo "$folder: a part file was left"; status=1; }
}
# FOLDER LIMIT: the task report and a plan's picture, each over a smaller earlier one.
both() {
  mkdir "$1/report" "$1/draw"
  check "$1/report" "$2" task.pdf "$harness" --taskset "$set" --task 1 --report task -- \
    "$harness" --taskset "$set" --task 1 --report task
  check "$1/draw" "$2" plan.png "$draw" --taskset "$set" --task 1 --size 100x100 -- \
    "$draw" --taskset "$set" --task 1
}
mkdir "$d/limited" "$d/tiny"
both "$d/limited" 8
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$d/tiny" 2>/dev/null; then
  mounted=1
  both "$d/tiny" ""
fi
exit $status
