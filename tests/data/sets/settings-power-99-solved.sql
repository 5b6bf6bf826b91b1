-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- action: --report layout -o {pdf}
-- action: draw
-- line: Task "Sample": table tasks, row (TaskID 1), field Power: the stored setting Power 99 is outside 0..20
UPDATE tasks SET Power = 99;
