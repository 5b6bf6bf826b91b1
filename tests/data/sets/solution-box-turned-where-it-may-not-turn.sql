-- solved
-- action: --reload
-- action: --report solution -o {pdf}
-- action: draw
-- expect: field PosLh: stored box
-- expect: is turned, but its kind may not be turned
-- Neither the task nor the kind lets the box turn.
UPDATE tasks SET DefltOn = 0;
UPDATE boxes SET TurnOn = 0;
UPDATE posit SET PosLh = 80, PosWh = 120 WHERE PosX = 0 AND PosY = 0;
