-- expect: LoadWt 100000000 is outside 0..89478485
UPDATE conts SET LoadWt = 100000000;
