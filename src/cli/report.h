// What the tool prints about tables: the grid of a table with the state of
// every entry, and the findings of the pair check.
#pragma once

#include <string>
#include <vector>

#include "cli/tablefile.h"

// Text for a terminal, kept on one line: control characters and bytes that
// are not UTF-8 are written as \xNN.
std::string Printable(const std::string& text);

// 8-bit name bytes (ISO 8859-1) as UTF-8, control bytes written as \xNN.
std::string PrintableLatin1(const std::string& bytes);

// The header line, a 16 x 16 grid (row = high digit of the position,
// column = low digit, cell = target code and state mark) and a summary.
std::string TableGrid(const CodeTable& table, TableKind kind);

// What the marks in the grid mean.
std::string GridLegend();

// Every reason the pair is not clean, one line each; none for a pair of two
// complete, unambiguous tables that undo each other.
std::vector<std::string> PairFindings(const TablePair& pair);
