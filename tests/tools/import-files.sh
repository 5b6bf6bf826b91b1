#!/bin/sh
# The harness's box import of files users have: a spreadsheet's UTF-8 file with a byte-order mark
# adds the same rows as one without it; exactly 32768 lines import whole, and the 32769th is
# refused in one line with exit status 2.
# usage: import-files.sh SOLVE MAKEDATA
solve="$1" makedata="$2"
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
export TMPDIR="$d"
echo '{}' >"$d/empty.json"
status=0
fresh() { rm -rf "$d/p"; mkdir "$d/p"; "$makedata" "$d/p" "$d/empty.json" >/dev/null; }
kinds() { sqlite3 "$d/p/data/home/boxes.db" "SELECT Kind || '/' || Mark || '/' || Total FROM boxes ORDER BY KindID"; }

for order in 0 1; do
  [ $order -eq 0 ] && line='3 Panel 1200 800' || line='Panel 3 1200 800'
  fresh
  printf '%s\r\n' "$line" >"$d/plain.txt"
  "$solve" --taskset "$d/p/data/home" --import-boxes "$d/plain.txt" --order $order >"$d/plain.out"
  plain=$(kinds)
  fresh
  printf '\357\273\277%s\r\n' "$line" >"$d/marked.txt"
  "$solve" --taskset "$d/p/data/home" --import-boxes "$d/marked.txt" --order $order >"$d/marked.out" ||
    { echo "order $order: the marked file was refused: $(cat "$d/marked.out")"; status=1; }
  [ "$(kinds)" = "$plain" ] && [ "$plain" = "Panel/Pl/3" ] ||
    { echo "order $order: marked '$(kinds)', plain '$plain'"; status=1; }
done

i=0
while [ $i -lt 32768 ]; do echo "1 K$i 10 10"; i=$((i + 1)); done >"$d/limit.txt"
fresh
"$solve" --taskset "$d/p/data/home" --import-boxes "$d/limit.txt" >"$d/out.txt" 2>"$d/err.txt" &&
  grep -q '"Added":32768,"Report":\[\]' "$d/out.txt" || { echo "32768 lines: $(head -c 300 "$d/out.txt" "$d/err.txt")"; status=1; }
echo "1 K32768 10 10" >>"$d/limit.txt"
fresh
"$solve" --taskset "$d/p/data/home" --import-boxes "$d/limit.txt" >"$d/out.txt" 2>"$d/err.txt"
code=$?
[ $code -eq 2 ] && [ "$(wc -l <"$d/err.txt")" -eq 1 ] && grep -q 'row # 32769' "$d/err.txt" &&
  grep -q '"Added":32768' "$d/out.txt" || { echo "32769 lines: exit status $code: $(head -c 300 "$d/err.txt")"; status=1; }
exit $status
