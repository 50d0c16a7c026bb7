// Program: the calculator from its first menu to its end, on whatever the terminal layer reads
// and writes. Returns the exit status of an orderly end.
#pragma once

int runCalculator();
