// What a table file keeps of a table: its targets, its kind and its name.
// Two tables with equal content need not look alike (current entry, cells
// written under another kind).
#pragma once

#include <cstdint>

#include "model/codetable.h"

// The name part of the table's header, found after the kind word and, when
// the table has a font name, after the bracketed font part.
const char* HeaderNamePart(const CodeTable& table);

struct TableContent {
  explicit TableContent(const CodeTable& table);
  bool operator==(const TableContent& other) const;
  bool operator!=(const TableContent& other) const { return !(*this == other); }

  int16_t Targets[256];
  TableKind Kind;
  char Name[65];
};
