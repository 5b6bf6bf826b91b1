-- solved
-- expect: row (TaskID 1, ContNo 1), field WgtLoad: container 1 carries 15000, more than a fill loads under a LoadWt of 1000 (at most 1001)
UPDATE solut SET FixCont = 1 WHERE ContNo = 1;
DELETE FROM solut WHERE ContNo <> 1;
DELETE FROM distr WHERE ContNo <> 1;
DELETE FROM posit WHERE ContNo <> 1;
UPDATE tasks SET Solut = 0;
UPDATE conts SET LoadWt = 1000;
