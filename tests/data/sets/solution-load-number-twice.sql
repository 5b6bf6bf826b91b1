-- solved
-- action: --reload
-- action: --csv
-- action: --report layout -o {pdf}
-- expect: table posit, row (TaskID 1, ContNo
-- expect: field LoadNo: stored box
-- expect: has the load number 1, but its container's boxes are numbered 1 to
UPDATE posit SET LoadNo = 1 WHERE LoadNo = 2;
