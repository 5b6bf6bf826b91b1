-- expect: table tc, row (TaskID 1, TypeID 1), field TypeID: 1 is also the TypeID of an earlier row of the task
-- The task's containers rebuilt without their key, with a second row of type 1.
CREATE TABLE tc.copy AS SELECT * FROM tc.tc;
DROP TABLE tc.tc;
CREATE TABLE tc.tc ("TaskID" INTEGER, "TypeID" INTEGER, "Avail" SMALLINT, "Used" SMALLINT, "Prior" SMALLINT,
 "Cost" DOUBLE);
INSERT INTO tc.tc SELECT * FROM tc.copy;
INSERT INTO tc.tc VALUES (1, 1, 1, 0, 0, 900.0);
DROP TABLE tc.copy;
