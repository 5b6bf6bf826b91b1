-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- action: --report layout -o {pdf}
-- action: draw
-- expect: table solut, row (TaskID 1, ContNo 1), field WgtLoad: container 1 carries
-- expect: more than a fill loads under a LoadWt of 1000 (at most 1001)
-- The capacity lowered after the solve.
UPDATE conts SET LoadWt = 1000;
