-- action: --report boxes -o {pdf}
-- expect: table boxes, row (KindID 1): Weight -5 is outside 0..32767
UPDATE boxes SET Weight = -5;
