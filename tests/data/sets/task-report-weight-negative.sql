-- solved
-- action: --report task -o {pdf}
-- expect: box kind "Pallet": Weight -5 is outside 0..32767
UPDATE boxes SET Weight = -5;
