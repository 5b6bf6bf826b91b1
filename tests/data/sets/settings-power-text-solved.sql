-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- action: draw
-- line: Task "Sample": table tasks, row (TaskID 1), field Power: Power holds "abc", not a value of its type
UPDATE tasks SET Power = 'abc';
