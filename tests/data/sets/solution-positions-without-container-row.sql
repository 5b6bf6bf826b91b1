-- solved
-- action: --reload
-- action: --csv
-- action: --report solution -o {pdf}
-- action: draw
-- expect: table posit, row (TaskID 1, ContNo
-- expect: field ContNo: stored box
-- expect: lies in a container that the stored solution has no row for
-- The last container's row and its counts gone, its positions left behind.
DELETE FROM distr WHERE ContNo = (SELECT MAX(ContNo) FROM solut);
DELETE FROM solut WHERE ContNo = (SELECT MAX(ContNo) FROM solut);
