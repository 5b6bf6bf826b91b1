-- solved
-- action: --reload
-- action: draw
-- line: Task "Sample": table tasks, row (TaskID 1), field Time: the stored setting Time 99999 is outside 5..5555
UPDATE tasks SET Time = 99999;
