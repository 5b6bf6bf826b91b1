-- solved
-- action: --reload
-- expect: field Placed: the stored solution places
UPDATE tb SET Placed = 999 WHERE rowid = 1;
