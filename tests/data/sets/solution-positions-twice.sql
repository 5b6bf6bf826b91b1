-- solved
-- action: --csv
-- action: --report solution -o {pdf}
-- action: --reload
-- expect: table posit, row (TaskID 1, ContNo 1, BoxNo
-- expect: field BoxNo: stored box
-- expect: is stored twice
-- The positions table rebuilt without its key, every row stored twice.
CREATE TABLE posit.copy AS SELECT * FROM posit.posit;
DROP TABLE posit.posit;
CREATE TABLE posit.posit ("TaskID" INTEGER, "ContNo" SMALLINT, "BoxNo" SMALLINT, "KindID" INTEGER, "PosX" SMALLINT,
 "PosY" SMALLINT, "PosLh" SMALLINT, "PosWh" SMALLINT, "LoadNo" SMALLINT);
INSERT INTO posit.posit SELECT * FROM posit.copy;
INSERT INTO posit.posit SELECT * FROM posit.copy;
DROP TABLE posit.copy;
