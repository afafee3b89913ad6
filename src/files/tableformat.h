// Every format the tables are saved in, and the one function that makes a
// format's bytes from the tables: the editor's save commands and qavo-ct
// both write through it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/codepages.h"
#include "model/codetable.h"

enum class TableFormat { kUnix, kV3, kV5, kC, kPascal, kUcm, kPython, kJava };

// The tables a file is made of: both, or one of them (the other nullptr).
struct FormatTables {
  const CodeTable* Export = nullptr;
  const CodeTable* Import = nullptr;
  int Count() const { return (Export != nullptr) + (Import != nullptr); }
};

// V3, .ucm, codec and charset hold both tables or nothing.
bool NeedsPair(TableFormat format);

// UNIX, V3, C and Pascal write an unassigned entry as its own position.
bool WritesGapsOneToOne(TableFormat format);

// The file's bytes. UNIX takes the one table given; V5 writes the pair
// image when both are given; C and Pascal declare each table given, EXPORT
// first; the others need both. workstation is the character side of .ucm,
// codec and charset; name, when given, names the codec or charset instead
// of the EXPORT table's name.
std::vector<uint8_t> FormatBytes(TableFormat format, const FormatTables& tables, Workstation workstation,
                                 const std::string* name = nullptr);
