-- solved
-- action: --csv
-- expect: table solut, row (TaskID 1, ContNo 1), field WgtLoad: the boxes of container 1 give
UPDATE solut SET WgtLoad = 1 WHERE ContNo = 1;
