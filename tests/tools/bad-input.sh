#!/bin/sh
# Bad input through the harness, case by case: exit status 2, one line on standard error, the
# table set's files byte for byte as they were, and no scratch folder left behind.
# usage: bad-input.sh SOLVE DRAW MAKEDATA SAMPLE.json TESTDATA
solve="$1" draw="$2" makedata="$3" sample="$4" data="$5"
d=$(mktemp -d)
trap 'chmod -R u+w "$d" 2>/dev/null; rm -rf "$d"' EXIT
# A temporary folder of its own: no other test's scratch folders are seen or touched.
export TMPDIR="$d/tmp"
mkdir -p "$TMPDIR" "$d/program" "$d/work"
"$makedata" "$d/program" "$sample" >/dev/null || { echo "no sample set"; exit 1; }
fresh="$d/program/data/home"
"$solve" --taskset "$fresh" --task 1 --clear >/dev/null 2>&1
cp -r "$fresh" "$d/fresh"
"$solve" --taskset "$fresh" --task 1 >/dev/null || { echo "the sample does not solve"; exit 1; }
cp -r "$fresh" "$d/solved"
set="$d/set"
status=0

snapshot() { find "$1" -type f | sort | xargs md5sum 2>/dev/null; }

# use SOURCE [SQL]: the set to run on, a copy of SOURCE (fresh or solved) with SQL applied.
use() {
  chmod -R u+w "$set" 2>/dev/null; rm -rf "$set"
  cp -r "$d/$1" "$set"
  [ -z "$2" ] && return
  for table in tc tb boxes conts posit distr solut; do echo "ATTACH '$set/$table.db' AS $table;"; done |
    { cat; echo "$2;"; } | sqlite3 -bail "$set/tasks.db" >/dev/null || { echo "use: $2 failed"; status=1; }
}

# refused NAME TEXT COMMAND...: exit status 2, one line naming TEXT, nothing changed or left.
refused() {
  name="$1" text="$2"
  shift 2
  before=$(snapshot "$set")
  (cd "$d/work" && "$@") >"$d/out.txt" 2>"$d/err.txt"
  code=$?
  lines=$(wc -l <"$d/err.txt")
  # Nothing at all in the temporary folder: no scratch folder, no runtime folder of Qt's.
  left=0
  [ -d "$TMPDIR" ] && left=$(ls -A "$TMPDIR" | wc -l)
  if [ "$code" -ne 2 ] || [ "$lines" -ne 1 ] || ! grep -qF -- "$text" "$d/err.txt" ||
     [ "$(snapshot "$set")" != "$before" ] || [ "$left" -ne 0 ]; then
    echo "$name: exit status $code, $lines lines, $left things left in \$TMPDIR, standard error:"
    head -c 600 "$d/err.txt"
    [ "$(snapshot "$set")" = "$before" ] || echo "$name: the set changed"
    status=1
  fi
  [ -d "$TMPDIR" ] && find "$TMPDIR" -mindepth 1 -delete
}

# The arguments: one line each, before anything is opened.
use solved
refused "no arguments" "usage: rectix-solve [--clock-step MS] TASK.json | --taskset DIR --task ID [--clear|--reload|--csv|--report KIND -o FILE.pdf]" "$solve"
refused "unknown option" "unknown argument --frobnicate" "$solve" --taskset "$set" --task 1 --frobnicate
refused "no value" "--task needs a value" "$solve" --taskset "$set" --task
refused "oversized task" "--task: 99999999999999999999 is not a task number" "$solve" --taskset "$set" --task 99999999999999999999
refused "csv and clear" "--csv and --clear are two actions" "$solve" --taskset "$set" --task 1 --csv --clear
refused "report and clear" "--report and --clear are two actions" "$solve" --taskset "$set" --task 1 --report layout -o "$d/x.pdf" --clear
refused "reload and import" "--reload and --import-boxes are two actions" "$solve" --taskset "$set" --task 1 --reload --import-boxes "$data/boximport/order0-space.txt"
refused "clear twice" "--clear is given twice" "$solve" --taskset "$set" --task 1 --clear --clear
refused "order without import" "go with --import-boxes" "$solve" --taskset "$set" --task 1 --order 2
refused "separator out of range" "--separator: 2 is not 0 or 1" "$solve" --taskset "$set" --import-boxes "$data/boximport/order0-space.txt" --separator 2
refused "two task files" "one task file at a time" "$solve" "$data/tasks/sample.json" "$data/tasks/sample.json"
refused "clock step" "--clock-step: 0 is not a step" "$solve" --clock-step 0 "$data/tasks/sample.json"
refused "negative clock step" "--clock-step: -5 is not a step" "$solve" --clock-step -5 "$data/tasks/sample.json"
refused "set is no folder" "--taskset: $data/tasks/sample.json is a file, not a folder" "$solve" --taskset "$data/tasks/sample.json" --task 1
refused "draw set is no folder" "is a file, not a folder" "$draw" --taskset "$data/tasks/sample.json" --task 1 -o "$d/x.png"
refused "draw two actions" "unknown argument --clear" "$draw" --taskset "$set" --task 1 --clear -o "$d/x.png"
refused "draw chart twice" "--chart is given twice" "$draw" --taskset "$set" --task 1 --chart --chart -o "$d/x.png"
refused "draw grid twice" "--grid is given twice" "$draw" --taskset "$set" --task 1 --container 1 --grid --grid=2 -o "$d/x.png"
refused "draw output twice" "-o is given twice" "$draw" --taskset "$set" --task 1 -o "$d/x.png" -o "$d/y.png"
refused "draw two task files" "one task file at a time" "$draw" "$data/tasks/sample.json" "$data/tasks/sample.json" -o "$d/x.png"
# One range of containers for both tools; a huge value is cut in the line.
refused "container past the range" "--container: 25 is not a container number 1..24" "$solve" --taskset "$set" --task 1 --report layout --container 25 -o "$d/x.pdf"
refused "draw container past the range" "--container: 25 is not a container number 1..24" "$draw" --taskset "$set" --task 1 --container 25 -o "$d/x.png"
refused "draw task past the range" "--task: 0 is not a task number 1..2147483647" "$draw" --taskset "$set" --task 0 -o "$d/x.png"
# A container the plan leaves empty has no row of the solution either: one text for both.
for run in "$solve --taskset $set --task 1 --report solution" "$solve --taskset $set --task 1 --report layout" "$draw --taskset $set --task 1"; do
  refused "empty container" "--container: container 2 holds no box of the plan" $run --container 2 -o "$d/x.pdf"
done
huge=$(head -c 100000 /dev/zero | tr '\0' 9)
refused "huge task number" "--task: 999999999" "$solve" --taskset "$set" --task "$huge"
[ "$(wc -c <"$d/err.txt")" -lt 200 ] || { echo "a huge value makes a line of $(wc -c <"$d/err.txt") bytes"; status=1; }
# A huge path too: its start and its end, cut in the middle.
for run in "$solve --taskset $d/$huge --task 1 --reload" "$solve $huge.json" "$draw --taskset $set --task 1 -o $huge.png"; do
  refused "huge path" "9999...9999" $run
  [ "$(wc -c <"$d/err.txt")" -lt 400 ] || { echo "a huge path makes a line of $(wc -c <"$d/err.txt") bytes"; status=1; }
done

# Where the picture cannot go: refused at once, before anything is drawn; nothing is written.
mkfifo "$d/pipe.png"
mkdir "$d/folder.png"
refused "draw to a pipe" "-o: $d/pipe.png: not a file" timeout 10 "$draw" --taskset "$set" --task 1 -o "$d/pipe.png"
refused "draw to a folder" "-o: $d/folder.png: not a file" "$draw" "$data/tasks/sample.json" -o "$d/folder.png"
refused "draw to a device" "-o: /dev/null: not a file" "$draw" --taskset "$set" --task 1 -o /dev/null
refused "draw into no folder" "-o: $d/none: No such file or directory" "$draw" --taskset "$set" --task 1 -o "$d/none/x.png"
refused "report to a pipe" "-o: $d/pipe.png: not a file" timeout 10 "$solve" --taskset "$set" --task 1 --report layout -o "$d/pipe.png"
# A link is followed: to a pipe it is refused, into a folder that is not there the folder is named.
ln -s pipe.png "$d/to-pipe.png"
ln -s "$d/none/x.png" "$d/to-none.png"
refused "draw to a link to a pipe" "-o: $d/to-pipe.png: not a file" timeout 10 "$draw" --taskset "$set" --task 1 -o "$d/to-pipe.png"
refused "draw to a link into no folder" "-o: $d/none: No such file or directory" "$draw" --taskset "$set" --task 1 -o "$d/to-none.png"
[ -z "$(ls -A "$d/folder.png")" ] || { echo "something was written into the folder"; status=1; }
# Never a file of the set being read, nor a journal of one, whatever name leads to it.
for target in "$set/tasks.db" "$d/to-solut.pdf" "$d/tc-too.pdf" "$set/../set/TASKS.DB-journal" "$set/posit.db-wal" "$set/distr.db-mj1a2b"; do
  for run in "$solve --taskset $set --task 1 --report task" "$draw --taskset $set --task 1"; do
    use solved && ln -sf "$set/solut.db" "$d/to-solut.pdf" && ln -f "$set/tc.db" "$d/tc-too.pdf"
    refused "-o $target" "-o: $target: a file of the table set in $set" $run -o "$target"
  done
done
use solved
mkdir -p "$d/work/solutions" && ln -s "$set/boxes.db" "$d/work/solutions/Sample delivery-posit.csv"
refused "csv to a table file" "solutions/Sample delivery-posit.csv: a file of the table set in $set" "$solve" --taskset "$set" --task 1 --csv
rm -r "$d/work/solutions" "$d/to-solut.pdf" "$d/tc-too.pdf"
# Nor a name of the shape of the tools' own part files, which a later opening of the set removes.
refused "-o a part file's name" "a name of the tools' own part files" "$solve" --taskset "$set" --task 1 --report task -o "$set/.tasks.db.$(sh -c 'echo $$')-abcdef.part"

# An argument or a stored text with a line feed or another control character: one line, the
# characters shown escaped.
nl=$(printf 'a\nb')
esc=$(printf 'x\033[31m')
refused "task file with a line feed" "a\nb.json: is missing" "$solve" "$nl.json"
refused "two task files with line feeds" "one task file at a time: a\nb.json and a\nb" "$solve" "$nl.json" "$nl"
refused "clock step with a line feed" "--clock-step: a\nb is not a step" "$solve" --clock-step "$nl" "$data/tasks/sample.json"
refused "task with an escape" "--task: x\x1b[31m is not a task number" "$solve" --taskset "$set" --task "$esc"
refused "draw task file with a line feed" "a\nb.json: is missing" "$draw" "$nl.json" -o "$d/x.png"
refused "draw output with a line feed" "-o: $d/a\nb: No such file or directory" "$draw" "$data/tasks/sample.json" -o "$d/$nl/x.png"

# Files that are no task file: what is there is said, and nothing is read without end.
mkdir -p "$d/folder.json"
truncate -s 65M "$d/huge.json"
refused "task file missing" "$d/none.json: is missing" "$solve" "$d/none.json"
refused "task file a folder" "$d/folder.json: is a folder" "$solve" "$d/folder.json"
refused "task file a device" "/dev/zero: is a device" "$solve" /dev/zero
refused "task file too large" "is larger than 64 MiB" "$solve" "$d/huge.json"
refused "draw task file a device" "/dev/zero: is a device" "$draw" /dev/zero -o "$d/x.png"
for file in "$data"/tasks/bad/*.json; do
  refused "$(basename "$file")" "" "$solve" "$file"
done

# The data of a fresh install: an alias file or sample that is no file, a folder that is not there.
mkdir -p "$d/mk" && ln -s /dev/zero "$d/mk/aliases.ini"
refused "makedata alias file a device" "Alias file $d/mk/aliases.ini: is a device" "$makedata" "$d/mk" "$sample"
refused "makedata sample a device" "/dev/zero: is a device" "$makedata" "$d/mk2" /dev/zero
refused "makedata no folder" "$d/none/x/aliases.ini: No such file or directory" "$makedata" "$d/none/x" "$sample"

# Box import: the file refused by name, a bad line stops it in one line.
use fresh
refused "import a device" "/dev/zero: is a device" "$solve" --taskset "$set" --import-boxes /dev/zero
refused "import a folder" "is a folder" "$solve" --taskset "$set" --import-boxes "$d/folder.json"
refused "import too large" "is larger than 64 MiB" "$solve" --taskset "$set" --import-boxes "$d/huge.json"
# The bad line first: rows before it would stay.
printf '+-5 B 10 10\r\n1 A 10 10\r\n' >"$d/signs.txt"
printf '1 A 0 10\r\n' >"$d/rule.txt"
use fresh
refused "import two signs" "row # 1" "$solve" --taskset "$set" --import-boxes "$d/signs.txt"
use fresh
refused "import a rule" "Box lengths must be positive integers up to 32000." "$solve" --taskset "$set" --import-boxes "$d/rule.txt"
use solved

# The table set: what stands in place of a table file, stored values no field can hold.
use solved
rm "$set/tasks.db" && mkdir "$set/tasks.db"
refused "table file a folder" "tasks.db is a folder" "$solve" --taskset "$set" --task 1
use solved
rm "$set/posit.db" && ln -s /dev/null "$set/posit.db"
refused "table file a device" "posit.db is a device" "$solve" --taskset "$set" --task 1 --reload
refused "draw table file a device" "posit.db is a device" "$draw" --taskset "$set" --task 1 -o "$d/x.png"
for value in "'abc'" 3000000000 9e999; do
  for action in "" --clear --reload --csv "--report layout -o $d/x.pdf"; do
    use solved "UPDATE tc.tc SET Used=$value"
    refused "tc.Used=$value $action" "tc.db, row 1 (TaskID 1, TypeID 1), field Used" "$solve" --taskset "$set" --task 1 $action
  done
  refused "draw tc.Used=$value" "field Used" "$draw" --taskset "$set" --task 1 -o "$d/x.png"
done
use solved "UPDATE tasks SET Power='x'"
refused "tasks.Power text" 'table tasks, row (TaskID 1), field Power: Power holds "x", not' "$solve" --taskset "$set" --task 1 --csv
use solved "UPDATE tasks SET Power='x'||char(10)||'y'"
refused "tasks.Power with a line feed" 'field Power: Power holds "x\ny"' "$solve" --taskset "$set" --task 1 --csv
use solved "UPDATE posit.posit SET PosX=1e300 WHERE rowid=1"
refused "posit.PosX huge" "table posit, row (TaskID 1, ContNo 1, BoxNo 19): PosX holds" "$solve" --taskset "$set" --task 1 --reload

# Values that fit their fields but not a run's figures, or sums past the totals' old widths: named.
use fresh "UPDATE boxes.boxes SET Length=32767 WHERE KindID=1; UPDATE tasks SET BB=1"
refused "side with the item gap" 'box kind "Euro pallet": Length 32767 is more than 32766' "$solve" --taskset "$set" --task 1
use fresh "UPDATE conts.conts SET Length=13600, NoseDL=0, TailDL=13599, LoadWt=8000000 WHERE TypeID=1; UPDATE boxes.boxes SET Weight=32767"
refused "support span" 'container type "Semi-trailer 13.6 m": Length - NoseDL - TailDL is 1; for a load of 1769418' "$solve" --taskset "$set" --task 1
use fresh "UPDATE tc.tc SET Avail=32767"
refused "containers past 16 bits" "Total container number exceeds limit: 24" "$solve" --taskset "$set" --task 1
use solved "UPDATE tb.tb SET Cost=1e300"
refused "cost past single precision" 'box kind "Euro pallet": Cost 1e+300 is outside 0..1000000000' "$solve" --taskset "$set" --task 1 --reload

# A result that does not reach standard output is no success: a full disk, a closed stream, a
# pipe whose reader has gone (fd 4).
use solved
full='"$@" >/dev/full'
mkfifo "$d/gone"
exec 3<>"$d/gone"
exec 4>"$d/gone"
exec 3<&-
refused "plan to a gone reader" "standard output: Broken pipe" sh -c '"$@" >&4' sh "$solve" "$data/tasks/sample.json"
refused "reload to a gone reader" "standard output: Broken pipe" sh -c '"$@" >&4' sh "$solve" --taskset "$set" --task 1 --reload
refused "help to a gone reader" "standard output: Broken pipe" sh -c '"$@" >&4' sh "$draw" --help
refused "plan to a full disk" "standard output: No space left on device" sh -c "$full" sh "$solve" "$data/tasks/sample.json"
refused "plan to a closed stream" "standard output: Bad file descriptor" sh -c '"$@" >&-' sh "$solve" "$data/tasks/sample.json"
refused "reload to a full disk" "standard output: No space left on device" sh -c "$full" sh "$solve" --taskset "$set" --task 1 --reload
refused "help to a full disk" "standard output: No space left on device" sh -c "$full" sh "$draw" --help
# A change made stands, and says so in one line: a caller that retried would find it made. Each
# round starts solved and ends so; a report prints nothing, so loses nothing.
mkdir "$d/mk3" "$d/mk4"
for out in '>/dev/full' '>&-' '>&4'; do
  for action in --csv --clear "" "--import-boxes $data/boximport/order0-space.txt" "--report task -o $d/x.pdf"; do
    task="--task 1"
    [ "${action#--import}" = "$action" ] || task=
    (cd "$d/work" && sh -c "\"\$@\" $out" sh "$solve" --taskset "$set" $task $action) 2>"$d/err.txt"
    code=$? lines=1
    [ "${action#--report}" = "$action" ] || lines=0
    [ "$code" -eq 0 ] && [ "$(wc -l <"$d/err.txt")" -eq $lines ] &&
      { [ $lines -eq 0 ] || grep -q "^rectix-solve: warning: standard output: " "$d/err.txt"; } ||
      { echo "${action:-solve} $out: exit status $code, $(cat "$d/err.txt")"; status=1; }
  done
done
sh -c "$full" sh "$makedata" "$d/mk3" "$sample" 2>"$d/err.txt" && grep -q "warning: standard output" "$d/err.txt" &&
  [ -d "$d/mk3/data/home" ] || { echo "folders made to a full disk: $(cat "$d/err.txt")"; status=1; }
sh -c '"$@" >&4' sh "$makedata" "$d/mk4" "$sample" 2>"$d/err.txt" && grep -q "warning: standard output: Broken pipe" "$d/err.txt" ||
  { echo "folders made to a gone reader: $(cat "$d/err.txt")"; status=1; }
rm -rf "$d/work/solutions"

# The environment: a CSV folder that cannot be made, a temporary folder that takes no scratch
# folder; old scratch folders whose process is gone are removed.
use solved
touch "$d/work/solutions"
refused "csv folder is a file" "solutions" "$solve" --taskset "$set" --task 1 --csv
rm "$d/work/solutions"
TMPDIR="$d/none" refused "no temporary folder" "cannot make a scratch folder in $d/none" "$solve" --taskset "$set" --task 1 --reload
touch "$d/file"
TMPDIR="$d/file" refused "draw with a file for a temporary folder" "cannot make a scratch folder in $d/file" "$draw" --taskset "$set" --task 1 -o "$d/x.png"
# Neither tool needs a temporary folder for a task file, and what they print with leaves nothing.
TMPDIR="$d/file" "$draw" "$data/tasks/sample.json" -o "$d/x.png" 2>"$d/err.txt" && [ ! -s "$d/err.txt" ] ||
  { echo "a task file drawn with a file for a temporary folder: $(cat "$d/err.txt")"; status=1; }
(cd "$d/work" && "$draw" --taskset "$set" --task 1 -o "$d/x.png" && "$solve" --taskset "$set" --task 1 --report layout -o "$d/x.pdf") &&
  [ -z "$(ls -A "$TMPDIR")" ] || { echo "a drawing and a report left: $(ls -A "$TMPDIR")"; status=1; }
dead=$(sh -c 'echo $$')
mkdir -p "$TMPDIR/rectix-solve-$dead-abcdef" "$TMPDIR/rectix-solve-1-abcdef"
"$solve" --taskset "$set" --task 1 --reload >/dev/null 2>&1 || { echo "reload failed"; status=1; }
[ ! -e "$TMPDIR/rectix-solve-$dead-abcdef" ] || { echo "a dead run's scratch folder stays"; status=1; }
[ -e "$TMPDIR/rectix-solve-1-abcdef" ] || { echo "a live process's scratch folder went"; status=1; }
rm -rf "$TMPDIR"/rectix-solve-*

# A run ended by a signal removes its scratch folder on the way out.
use fresh "UPDATE tasks SET Power=20, Time=60"
"$solve" --taskset "$set" --task 1 >/dev/null 2>&1 &
pid=$!
n=0
while ! ls "$TMPDIR" | grep -q '^rectix-solve-' && [ $n -lt 100 ]; do sleep 0.05; n=$((n + 1)); done
kill -TERM $pid
wait $pid 2>/dev/null
! ls "$TMPDIR" | grep -q '^rectix-solve-' || { echo "a terminated run left $(ls "$TMPDIR")"; status=1; }

# No display is needed, whatever platform the caller names.
use solved
for platform in "" xcb wayland; do
  for run in "$draw --taskset $set --task 1 -o $d/x.png" "$solve --taskset $set --task 1 --report layout -o $d/x.pdf"; do
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=$platform $run 2>"$d/err.txt" && [ ! -s "$d/err.txt" ] ||
      { echo "QT_QPA_PLATFORM=$platform: $(cat "$d/err.txt")"; status=1; }
  done
done

# A link to a picture or a report stays a link; the file it points to takes the new one.
mkdir "$d/real"
echo old >"$d/real/plan.png"
echo old >"$d/real/plan.pdf"
ln -s real/plan.png "$d/plan.png"
ln -s "$d/real/plan.pdf" "$d/plan.pdf"
"$draw" "$data/tasks/sample.json" -o "$d/plan.png" && "$solve" --taskset "$set" --task 1 --report task -o "$d/plan.pdf" &&
  [ -L "$d/plan.png" ] && [ -L "$d/plan.pdf" ] && [ "$(head -c 4 "$d/real/plan.png" | tail -c 3)" = PNG ] &&
  [ "$(head -c 4 "$d/real/plan.pdf")" = %PDF ] || { echo "a link was replaced, or its file kept"; status=1; }

# A task file's fixed containers are kept by both tools alike.
"$solve" "$data/tasks/fixed-middle.json" | grep -q '"KindID":1,"LoadNo":1,"PosLh":120,"PosWh":80,"PosX":500,"PosY":80' ||
  { echo "rectix-solve dropped the fixed container"; status=1; }
sed '/"fixed"/d' "$data/tasks/fixed-middle.json" >"$d/unfixed.json"
"$draw" "$data/tasks/fixed-middle.json" --container 1 -o "$d/fixed.png" &&
  "$draw" "$d/unfixed.json" --container 1 -o "$d/unfixed.png" &&
  ! cmp -s "$d/fixed.png" "$d/unfixed.png" || { echo "rectix-draw dropped the fixed container"; status=1; }
exit $status
