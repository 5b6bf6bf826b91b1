-- solved
-- action: --csv
-- action: --report solution -o {pdf}
-- expect: table solut, row (TaskID 1, ContNo 1): BoxLoad holds "2147483648", not a value of its type
UPDATE solut SET BoxLoad = 2147483648 WHERE rowid = 1;
