-- solved
-- action: --reload
-- expect: of the stored solution has 
DELETE FROM posit WHERE BoxNo = 1;
