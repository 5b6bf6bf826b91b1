#!/usr/bin/env bash
# Stored-value fuzz of the harness: writes one random bad value into one random field of a random
# row of a sample table set (solved or not) with sqlite3, runs a random action on it, and counts
# how each run ended. Every run must end with exit status 0, or 2 and one line on standard error:
# an exit status 1 (a fault of the program), an abort or a sanitizer's report (a build made with
# RECTIX_SANITIZE) fails the fuzz. Reproducible by its seed.
# usage: fuzz/stored_values.sh BUILD_DIR [RUNS] [SEED]
set -u
build="$(cd "${1:?usage: fuzz/stored_values.sh BUILD_DIR [RUNS] [SEED]}" && pwd)"
runs="${2:-1000}"
RANDOM="${3:-1}"
root="$(cd "$(dirname "$0")/.." && pwd)"
solve="$build/rectix-solve" draw="$build/rectix-draw"
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
export TMPDIR="$d/tmp" QT_QPA_PLATFORM=offscreen
mkdir -p "$TMPDIR" "$d/program" "$d/work"
"$build/rectix-makedata" "$d/program" "$root/tools/sample-home.json" >/dev/null || exit 1
"$solve" --taskset "$d/program/data/home" --task 1 --clear >/dev/null 2>&1
cp -r "$d/program/data/home" "$d/fresh"
"$solve" --taskset "$d/program/data/home" --task 1 >/dev/null || exit 1
cp -r "$d/program/data/home" "$d/solved"

tables=(conts boxes tasks tc tb solut distr posit)
# The extremes of the 16-bit and 32-bit fields fit them, and meet the sums that take them further.
values=("'abc'" "''" "'12abc'" "'1e5'" 3000000000 2147483647 2147483648 -2147483648 -2147483649 32767 32768
        -32768 -32769 9223372036854775807 9e999 -9e999 "9e999-9e999" 1e300 -1e300 2.5 -0.5 -1 0 65535 NULL
        "x'00ff'" "'2026-13-45'" "'true'")
actions=("" --clear --reload --csv "--report task" "--report solution" "--report containers"
         "--report boxes" "--report layout" draw)
declare -A fields
for t in "${tables[@]}"; do
  fields[$t]=$(sqlite3 "$d/solved/$t.db" "SELECT group_concat(name, ' ') FROM pragma_table_info('$t')")
done

ok=0 refused=0 faults=0 aborts=0 badlines=0 skipped=0
for ((run = 1; run <= runs; run++)); do
  base=solved
  ((RANDOM % 4 == 0)) && base=fresh
  set="$d/set"
  rm -rf "$set"
  cp -r "$d/$base" "$set"
  t=${tables[RANDOM % ${#tables[@]}]}
  read -r -a names <<<"${fields[$t]}"
  f=${names[RANDOM % ${#names[@]}]}
  v=${values[RANDOM % ${#values[@]}]}
  rows=$(sqlite3 "$set/$t.db" "SELECT count(*) FROM \"$t\"")
  [ "$rows" -gt 0 ] || { skipped=$((skipped + 1)); continue; }
  row=$((RANDOM % rows))
  sqlite3 "$set/$t.db" "UPDATE \"$t\" SET \"$f\"=$v WHERE rowid=(SELECT rowid FROM \"$t\" LIMIT 1 OFFSET $row)" \
    2>/dev/null || { skipped=$((skipped + 1)); continue; } # a key equal to another row's: SQLite refuses it
  a=${actions[RANDOM % ${#actions[@]}]}
  case $a in
    draw) cmd=("$draw" --taskset "$set" --task 1 -o "$d/work/p.png") ;;
    --report*) cmd=("$solve" --taskset "$set" --task 1 $a -o "$d/work/r.pdf") ;;
    *) cmd=("$solve" --taskset "$set" --task 1 $a) ;;
  esac
  (cd "$d/work" && "${cmd[@]}") >/dev/null 2>"$d/err.txt"
  code=$?
  report=$(grep -m 1 -E 'runtime error:|(ERROR|SUMMARY): [A-Za-z]+Sanitizer' "$d/err.txt")
  if [ -n "$report" ]; then
    aborts=$((aborts + 1))
    echo "run $run: $t.$f=$v, ${a:-solve}: exit status $code, sanitizer report: $report"
    continue
  fi
  case $code in
    0) ok=$((ok + 1)) ;;
    2) refused=$((refused + 1))
       [ "$(wc -l <"$d/err.txt")" -eq 1 ] || { badlines=$((badlines + 1)); echo "run $run: $t.$f=$v, ${a:-solve}: $(wc -l <"$d/err.txt") lines"; } ;;
    1) faults=$((faults + 1)); echo "run $run: $t.$f=$v, ${a:-solve}: exit status 1: $(head -c 300 "$d/err.txt")" ;;
    *) aborts=$((aborts + 1)); echo "run $run: $t.$f=$v, ${a:-solve}: exit status $code: $(head -c 300 "$d/err.txt")" ;;
  esac
done
echo "stored-value fuzz: $runs drawn, $skipped refused by SQLite itself: $ok succeeded, $refused refused in one line, $badlines refused in more lines, $faults exit status 1, $aborts aborts"
[ $faults -eq 0 ] && [ $aborts -eq 0 ] && [ $badlines -eq 0 ]
