-- solved
-- action: --csv
-- expect: table solut, row (TaskID 1, ContNo 1), field NoseLoad: the boxes of container 1 give
UPDATE solut SET NoseLoad = 1 WHERE ContNo = 1;
