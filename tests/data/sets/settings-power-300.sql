-- expect: the stored setting Power 300 is outside 0..20
UPDATE tasks SET Power = 300;
