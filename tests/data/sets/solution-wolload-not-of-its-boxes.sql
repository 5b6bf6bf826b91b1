-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- expect: table solut, row (TaskID 1, ContNo 1), field WolLoad: the boxes of container 1 give
-- expect: , but the row holds 1
UPDATE solut SET WolLoad = 1 WHERE ContNo = 1;
