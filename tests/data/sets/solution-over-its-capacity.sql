-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- action: draw
-- expect: row (TaskID 1, ContNo 1), field WgtLoad: container 1 carries 15000, more than a fill loads under a LoadWt of 1000 (at most 1001)
UPDATE conts SET LoadWt = 1000;
