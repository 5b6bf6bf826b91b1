#!/bin/sh
# A report printed over an earlier one on a full disk: exit status 2, one line on standard error,
# the earlier file byte for byte, and no part file left. The disk is a 64 KiB tmpfs where one can
# be mounted (as root), and always a file size limit that no file may pass.
# usage: report-full-disk.sh HARNESS MAKEDATA SAMPLE.json
harness="$1"
d=$(mktemp -d)
mounted=
cleanup() {
  [ -n "$mounted" ] && umount "$d/tiny"
  rm -rf "$d"
}
trap cleanup EXIT
"$2" "$d" "$3" >/dev/null || exit 1
set="$d/data/home"
"$harness" --taskset "$set" --task 1 >/dev/null || { echo "solve failed"; exit 1; }
status=0
# FOLDER LIMIT: prints the task report into FOLDER, then again with the disk full.
check() {
  folder=$1 limit=$2
  "$harness" --taskset "$set" --task 1 --report task -o "$folder/task.pdf" || { echo "$folder: first print failed"; status=1; return; }
  cp "$folder/task.pdf" "$d/earlier.pdf"
  if [ -z "$limit" ]; then
    dd if=/dev/zero of="$folder/filler" bs=1k 2>/dev/null # until the disk is full
    limit=unlimited
  fi
  sh -c "trap '' XFSZ; ulimit -f $limit; \"$harness\" --taskset \"$set\" --task 1 --report task -o \"$folder/task.pdf\"" \
    >/dev/null 2>"$d/err.txt"
  code=$?
  [ "$code" -eq 2 ] || { echo "$folder: exit status $code"; status=1; }
  [ "$(wc -l <"$d/err.txt")" -eq 1 ] || { echo "$folder: not one line: $(cat "$d/err.txt")"; status=1; }
  cmp -s "$folder/task.pdf" "$d/earlier.pdf" || { echo "$folder: the earlier report changed"; status=1; }
  [ -z "$(find "$folder" -name '*.part')" ] || { echo "$folder: a part file was left"; status=1; }
}
mkdir "$d/limited" "$d/tiny"
check "$d/limited" 8
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$d/tiny" 2>/dev/null; then
  mounted=1
  check "$d/tiny" ""
fi
exit $status
