-- solved
-- action: --reload
-- action: draw
-- expect: field LoadNo: stored box 1 of container
-- expect: has the load number 0
UPDATE posit SET LoadNo = 0 WHERE BoxNo = 1;
