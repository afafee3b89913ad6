// What the tool prints about tables: the grid of a table with the state of
// every entry, and the findings of the pair check.
#pragma once

#include <string>
#include <vector>

#include "cli/tablefile.h"


// The header line, a 16 x 16 grid (row = high digit of the position,
// column = low digit, cell = target code and state mark) and a summary.
std::string TableGrid(const CodeTable& table, TableKind kind);

// What the marks in the grid mean.
std::string GridLegend();

// Every reason the pair is not clean, one line each; none for a pair of two
// complete, unambiguous tables that undo each other.
std::vector<std::string> PairFindings(const TablePair& pair);
