-- solved
-- action: --csv
-- action: --report solution -o {pdf}
-- expect: table posit, row (TaskID 1, ContNo 1, BoxNo
-- expect: PosX holds "65536", not a value of its type
UPDATE posit SET PosX = 65536;
