// Differences between a table and another mapping of the same 256 positions.
#pragma once

#include <vector>

#include "model/codetab.h"

struct TDifference {
  int Position;
  int ThisTarget;   // -1 = unassigned
  int OtherTarget;  // -1 = unassigned
};

// Positions 0..255 where the two mappings differ, ascending.
std::vector<TDifference> CompareTables(const TCodeTab& table, const TEntry (&other)[256]);
