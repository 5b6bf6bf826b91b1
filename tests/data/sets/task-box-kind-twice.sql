-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- action: --report task -o {pdf}
-- expect: table tb, row (TaskID 1, KindID 1), field KindID: 1 is also the KindID of an earlier row of the task
-- The task's boxes rebuilt without their key, one row stored twice.
CREATE TABLE tb.copy AS SELECT * FROM tb.tb;
DROP TABLE tb.tb;
CREATE TABLE tb.tb ("TaskID" INTEGER, "KindID" INTEGER, "Total" SMALLINT, "Placed" SMALLINT, "Prior" SMALLINT,
 "Bind" SMALLINT, "Cost" DOUBLE);
INSERT INTO tb.tb SELECT * FROM tb.copy;
INSERT INTO tb.tb SELECT * FROM tb.copy WHERE KindID = 1;
DROP TABLE tb.copy;
