-- solved
-- action: --csv
-- expect: table solut, row (TaskID 1, ContNo 1), field CostLoad: the boxes of container 1 give
UPDATE solut SET CostLoad = 1 WHERE ContNo = 1;
