-- solved
-- action: --reload
-- expect: of the stored solution has boxes that overlap
UPDATE posit SET PosX = (SELECT PosX FROM posit WHERE BoxNo = 1), PosY = (SELECT PosY FROM posit WHERE BoxNo = 1)
 WHERE BoxNo = 2 AND ContNo = (SELECT ContNo FROM posit WHERE BoxNo = 1);
