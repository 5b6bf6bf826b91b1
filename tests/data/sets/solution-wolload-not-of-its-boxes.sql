-- solved
-- action: --csv
-- expect: table solut, row (TaskID 1, ContNo 1), field WolLoad: the boxes of container 1 give
UPDATE solut SET WolLoad = 1 WHERE ContNo = 1;
