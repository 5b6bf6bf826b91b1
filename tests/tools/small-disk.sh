#!/bin/sh
# Every action of the harness on a nearly full disk, 4 KB to 1 MB free: exit status 0, or 2 with
# one line on standard error, never an abort; the table set whole, unchanged when refused. A picture
# drawn over an earlier one is the new picture whole, or the earlier one byte for byte, and nothing
# beside it. The data lay-out into an empty folder is whole, or the folder stays empty.
# Needs to mount a small tmpfs (root); skipped (77) where it cannot.
# usage: small-disk.sh SOLVE DRAW MAKEDATA SAMPLE.json
solve="$1" draw="$2" makedata="$3" sample="$4"
d=$(mktemp -d)
mnt="$d/disk"
mkdir -p "$mnt" "$d/program"
cleanup() { umount "$mnt" 2>/dev/null; rm -rf "$d"; }
trap cleanup EXIT
mount -t tmpfs -o size=4m tmpfs "$mnt" 2>/dev/null || { echo "cannot mount a tmpfs: skipped"; exit 77; }
"$makedata" "$d/program" "$sample" >/dev/null || exit 1
home="$d/program/data/home"
"$solve" --taskset "$home" --task 1 --clear >/dev/null 2>&1
cp -r "$home" "$d/fresh"
"$solve" --taskset "$home" --task 1 >/dev/null || exit 1
cp -r "$home" "$d/solved"
"$draw" --taskset "$home" --task 1 -o "$d/plan.png" || exit 1
"$draw" --taskset "$home" --task 1 --size 100x100 -o "$d/earlier.png" || exit 1
i=0
while [ $i -lt 20000 ]; do echo "1 Kind-$i 100 50"; i=$((i + 1)); done >"$d/boxes.txt"
snapshot() { find "$1" -type f | sort | xargs md5sum; }
status=0 runs=0 refusals=0

for free in 4 8 16 32 64 128 256 512 1024; do
  for action in solve clear reload csv report import draw makedata; do
    rm -rf "${mnt:?}"/*
    case $action in solve|import) cp -r "$d/fresh" "$mnt/set" ;; *) cp -r "$d/solved" "$mnt/set" ;; esac
    mkdir -p "$mnt/tmp" "$mnt/work" "$mnt/program"
    [ $action = draw ] && cp "$d/earlier.png" "$mnt/work/p.png"
    avail=$(df -k --output=avail "$mnt" | tail -1)
    [ "$avail" -gt "$free" ] && dd if=/dev/zero of="$mnt/filler" bs=1K count=$((avail - free)) 2>/dev/null
    before=$(snapshot "$mnt/set")
    case $action in
      solve) set -- "$solve" --taskset "$mnt/set" --task 1 ;;
      clear) set -- "$solve" --taskset "$mnt/set" --task 1 --clear ;;
      reload) set -- "$solve" --taskset "$mnt/set" --task 1 --reload ;;
      csv) set -- "$solve" --taskset "$mnt/set" --task 1 --csv ;;
      report) set -- "$solve" --taskset "$mnt/set" --task 1 --report solution -o "$mnt/work/r.pdf" ;;
      import) set -- "$solve" --taskset "$mnt/set" --import-boxes "$d/boxes.txt" ;;
      draw) set -- "$draw" --taskset "$mnt/set" --task 1 -o "$mnt/work/p.png" ;;
      makedata) set -- "$makedata" "$mnt/program" "$sample" ;;
    esac
    (cd "$mnt/work" && TMPDIR="$mnt/tmp" "$@") >"$d/out.txt" 2>"$d/err.txt"
    code=$?
    runs=$((runs + 1))
    lines=$(wc -l <"$d/err.txt")
    whole=yes
    for f in "$mnt"/set/*.db; do
      [ "$(sqlite3 "$f" 'PRAGMA integrity_check' 2>&1)" = ok ] || whole="no: $f"
    done
    if [ $code -eq 2 ]; then
      refusals=$((refusals + 1))
      [ "$(snapshot "$mnt/set")" = "$before" ] || whole="changed though refused"
    fi
    if [ $action = draw ]; then
      [ $code -eq 0 ] && picture="$d/plan.png" || picture="$d/earlier.png"
      cmp -s "$mnt/work/p.png" "$picture" || whole="the picture is neither the new one nor the earlier one"
      [ "$(ls -A "$mnt/work")" = p.png ] || whole="left beside the picture: $(ls -A "$mnt/work" | tr '\n' ' ')"
    fi
    if [ $action = makedata ]; then
      laidOut=$(cd "$mnt/program" && find . -maxdepth 2 | sort | tr '\n' ' ')
      expected=". "
      [ $code -eq 0 ] && expected=". ./aliases.ini ./data ./data/export ./data/home ./data/import ./rectix.ini "
      [ "$laidOut" = "$expected" ] || whole="the lay-out left $laidOut"
    fi
    if { [ $code -ne 0 ] && [ $code -ne 2 ]; } || { [ $code -eq 2 ] && [ "$lines" -ne 1 ]; } ||
       [ "$whole" != yes ] || ls "$mnt/tmp" | grep -q '^rectix-solve-'; then
      echo "$free KB free, $action: exit status $code, $lines lines, set whole: $whole"
      head -c 400 "$d/err.txt"
      status=1
    fi
  done
done
echo "small disk: $runs runs, $refusals refused in one line, none aborted"
exit $status
