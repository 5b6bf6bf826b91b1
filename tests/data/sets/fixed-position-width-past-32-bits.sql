-- solved
-- expect: PosWh holds "2147483647", not a value of its type
-- A fixed container kept by a clear, one of its boxes as wide as 32 bits go: the next solve refuses it.
UPDATE solut SET FixCont = 1 WHERE ContNo = 1;
DELETE FROM solut WHERE ContNo <> 1;
DELETE FROM distr WHERE ContNo <> 1;
DELETE FROM posit WHERE ContNo <> 1;
UPDATE tasks SET Solut = 0;
UPDATE posit SET PosWh = 2147483647 WHERE BoxNo = (SELECT min(BoxNo) FROM posit);
