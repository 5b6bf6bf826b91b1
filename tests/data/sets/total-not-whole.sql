-- expect: Total holds "2.5", not a value of its type
UPDATE tb SET Total = 2.5;
