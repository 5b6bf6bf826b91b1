-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- action: --report layout -o {pdf}
-- action: draw
-- expect: table posit, row (TaskID 1, ContNo
-- expect: field PosLh: stored box 1 of container
-- expect: is 10 x 7, but its kind is 120 x 80
UPDATE posit SET PosLh = 10, PosWh = 7 WHERE BoxNo = 1;
