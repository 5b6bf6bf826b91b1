#!/bin/sh
# Every bad task file: exit status 2, one line on standard error, nothing on standard output.
# usage: bad-task-files.sh HARNESS FOLDER
harness="$1"
status=0
# Files of its own: other tests run beside this one in the same folder.
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
for file in "$2"/*.json; do
  "$harness" "$file" >"$d/out.txt" 2>"$d/err.txt"
  code=$?
  if [ "$code" -ne 2 ] || [ "$(wc -l <"$d/err.txt")" -ne 1 ] || [ -s "$d/out.txt" ]; then
    echo "$file: exit status $code, standard error:"
    head -c 600 "$d/err.txt"
    status=1
  fi
done
exit $status
