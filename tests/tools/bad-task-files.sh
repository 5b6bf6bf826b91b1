#!/bin/sh
# Every bad task file: exit status 2, one line on standard error, nothing on standard output.
# usage: bad-task-files.sh HARNESS FOLDER
harness="$1"
status=0
for file in "$2"/*.json; do
  "$harness" "$file" >out.txt 2>err.txt
  code=$?
  if [ "$code" -ne 2 ] || [ "$(wc -l <err.txt)" -ne 1 ] || [ -s out.txt ]; then
    echo "$file: exit status $code, standard error:"
    head -c 600 err.txt
    status=1
  fi
done
exit $status
