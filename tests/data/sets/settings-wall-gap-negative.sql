-- expect: the stored setting BW -100 is outside 0..5000
UPDATE tasks SET BW = -100;
