// Differences between a table and another mapping of the same 256 positions.
#pragma once

#include <string>
#include <vector>

#include "model/codetable.h"

struct Difference {
  int Position;
  int ThisTarget;   // -1 = unassigned
  int OtherTarget;  // -1 = unassigned
};

// A code as comparisons show it: two hex digits, "--" when unassigned.
std::string CodeText(int code);

// Positions 0..255 where the two mappings differ, ascending.
std::vector<Difference> CompareTables(const CodeTable& table, const TableEntry (&other)[256]);
