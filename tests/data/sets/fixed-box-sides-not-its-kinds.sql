-- solved
-- expect: table posit, row (TaskID 1, ContNo 1, BoxNo
-- expect: field PosWh: stored box
-- expect: is 120 x 7, but its kind is 120 x 80
-- A fixed container kept by a clear with a box of sides its kind does not have: the next solve
-- refuses it.
UPDATE solut SET FixCont = 1 WHERE ContNo = 1;
DELETE FROM solut WHERE ContNo <> 1;
DELETE FROM distr WHERE ContNo <> 1;
DELETE FROM posit WHERE ContNo <> 1;
UPDATE tasks SET Solut = 0;
UPDATE posit SET PosLh = 120, PosWh = 7 WHERE LoadNo = 1;
