#!/bin/sh
# Signals as the user left them: a run whose caller ignores SIGHUP, SIGINT or SIGTERM takes that
# signal and finishes; a run ended by SIGINT or SIGTERM at a random early moment leaves no scratch
# folder behind, whatever it had written into it; a data lay-out ended by SIGINT, SIGTERM or SIGHUP
# leaves no side folder or part file.
# usage: signals.sh SOLVE MAKEDATA SAMPLE.json [TIMES]
solve="$1" times=${4:-40}
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
export TMPDIR="$d/tmp"
mkdir -p "$TMPDIR"
"$2" "$d" "$3" >/dev/null || exit 1
set="$d/data/home"
"$solve" --taskset "$set" --task 1 --clear >/dev/null 2>&1
status=0

# A solve of about a second: long enough to be signalled while it works.
sqlite3 "$set/tasks.db" "UPDATE tasks SET Power=10, Time=5" || exit 1
for signal in HUP INT TERM; do
  sh -c "trap '' $signal; exec \"$solve\" --taskset \"$set\" --task 1" >"$d/out.txt" 2>"$d/err.txt" &
  pid=$!
  # Signalled once its scratch folder is there, and so its clean-up set up.
  while kill -0 $pid 2>/dev/null && ! ls "$TMPDIR" | grep -q '^rectix-solve-'; do :; done
  kill -$signal $pid 2>/dev/null
  wait $pid 2>/dev/null
  code=$?
  if [ $code -ne 0 ] || ! grep -q '"LoadedBoxes"' "$d/out.txt"; then
    echo "$signal ignored by the caller: exit status $code"
    cat "$d/err.txt"
    status=1
  fi
  "$solve" --taskset "$set" --task 1 --clear >/dev/null 2>&1
done

# Killed in its first moments, while the scratch folder is being made and filled.
name=$(basename "$solve" | cut -c1-15)
left=0 killed=0 i=0
while [ $i -lt "$times" ]; do
  i=$((i + 1))
  signal=INT
  [ $((i % 2)) -eq 0 ] && signal=TERM
  # A job started with "&" from a script ignores SIGINT: the run is given the default back.
  env --default-signal=INT "$solve" --taskset "$set" --task 1 >/dev/null 2>&1 &
  pid=$!
  while kill -0 $pid 2>/dev/null && [ "$(cat /proc/$pid/comm 2>/dev/null)" != "$name" ]; do :; done
  sleep "$(($(od -An -N1 -tu1 /dev/urandom) % 30))e-3"
  kill -$signal $pid 2>/dev/null
  wait $pid 2>/dev/null
  [ $? -gt 128 ] && killed=$((killed + 1))
  if ls "$TMPDIR" | grep -q '^rectix-solve-'; then
    left=$((left + 1))
    rm -rf "$TMPDIR"/rectix-solve-*
  fi
done
echo "early signals: $killed of $times runs ended by them, $left scratch folders left"
[ $left -eq 0 ] || status=1

# The data lay-out signalled while it makes its sets leaves no side folder and no part file.
killed=0 i=0
while [ $i -lt "$times" ]; do
  i=$((i + 1))
  signal=$(echo "INT TERM HUP" | cut -d' ' -f$((i % 3 + 1)))
  p="$d/program$i"
  mkdir "$p"
  env --default-signal=INT "$2" "$p" "$3" >/dev/null 2>&1 &
  pid=$!
  while kill -0 $pid 2>/dev/null && ! ls -A "$p/data" 2>/dev/null | grep -q '\.part$'; do :; done
  sleep "$(($(od -An -N1 -tu1 /dev/urandom) % 100))e-3"
  kill -$signal $pid 2>/dev/null
  wait $pid 2>/dev/null
  [ $? -gt 128 ] && killed=$((killed + 1))
  left=$(find "$p" -name '.*.part*')
  [ -z "$left" ] || { echo "the data lay-out, $signal $i: left $left"; status=1; }
done
echo "the data lay-out: $killed of $times runs ended by signals"
exit $status
