-- expect: the stored setting Time 0 is outside 5..5555
UPDATE tasks SET Time = 0;
