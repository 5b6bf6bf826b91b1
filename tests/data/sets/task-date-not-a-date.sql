-- solved
-- action: --csv
-- action: --report solution -o {pdf}
-- action: --report task -o {pdf}
-- action: --reload
-- expect: table tasks, row (TaskID 1), field Date: Date holds "garbage", not a value of its type
UPDATE tasks SET Date = 'garbage';
