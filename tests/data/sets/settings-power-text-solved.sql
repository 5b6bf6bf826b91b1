-- solved
-- action: --reload
-- action: draw
-- line: Task "Sample": table tasks, row (TaskID 1), field Power: Power holds "abc", not a value of its type
UPDATE tasks SET Power = 'abc';
