-- solved
-- action: --csv
-- expect: table solut, row (TaskID 1, ContNo 1), field TailLoad: the boxes of container 1 give
UPDATE solut SET TailLoad = 1 WHERE ContNo = 1;
