-- expect: Cost holds "cheap", not a value of its type
UPDATE tc SET Cost = 'cheap';
