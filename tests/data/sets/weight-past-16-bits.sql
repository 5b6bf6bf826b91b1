-- expect: Weight 100000 is outside 0..32767
UPDATE boxes SET Weight = 100000;
