-- solved
-- action: --reload
-- expect: the stored setting Time 100000 is outside 5..5555
UPDATE tasks SET Time = 100000;
