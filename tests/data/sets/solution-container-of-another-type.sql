-- solved
-- action: --csv
-- action: --report solution -o {pdf}
-- expect: table solut, row (TaskID 1, ContNo 1), field TypeID: container 1 of the stored solution is of another type
UPDATE solut SET TypeID = 7 WHERE rowid = 1;
