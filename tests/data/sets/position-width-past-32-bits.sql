-- solved
-- action: --reload
-- action: --report layout -o {pdf}
-- expect: PosWh holds "2147483647", not a value of its type
UPDATE posit SET PosWh = 2147483647;
