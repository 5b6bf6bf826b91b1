-- action: --report containers -o {pdf}
-- expect: table conts, row (TypeID 1): Length 40000 is outside 1..32767
UPDATE conts SET Length = 40000;
