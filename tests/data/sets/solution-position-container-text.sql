-- solved
-- action: --csv
-- action: --report solution -o {pdf}
-- expect: table solut, row (TaskID 1, ContNo 1), field BoxLoad: container 1 of the stored solution has 0 box positions
UPDATE posit SET ContNo = 'False';
