# Tests of the load run and the carry-over.
