-- solved
-- action: --reload
-- action: --csv
-- action: draw
-- expect: table tb, row (TaskID 1, KindID
-- expect: field Placed: the stored solution places
-- expect: but the row holds 999
UPDATE tb SET Placed = 999 WHERE rowid = 1;
