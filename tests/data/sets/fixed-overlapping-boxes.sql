-- solved
-- expect: of the stored solution has boxes that overlap
-- A fixed container kept by a clear whose boxes overlap: the next solve refuses it.
UPDATE solut SET FixCont = 1 WHERE ContNo = 1;
DELETE FROM solut WHERE ContNo <> 1;
DELETE FROM distr WHERE ContNo <> 1;
DELETE FROM posit WHERE ContNo <> 1;
UPDATE tasks SET Solut = 0;
UPDATE posit SET PosX = (SELECT PosX FROM posit WHERE BoxNo = 1), PosY = (SELECT PosY FROM posit WHERE BoxNo = 1)
 WHERE BoxNo = 2 AND ContNo = 1;
