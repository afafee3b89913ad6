// Checks on the table record shared by the tests: its invariants, and the
// first field in which two records differ; and a byte array loaded into it.
#pragma once

#include <cstring>
#include <string>

#include "model/codetable.h"
#include "model/presets.h"

// Every byte of bytes assigned to its position, as a 256-byte file loads.
inline void LoadBytes(CodeTable& table, const uint8_t (&bytes)[256]) {
  TableEntry entries[256];
  EntriesOf(bytes, entries);
  table.LoadEntries(entries);
}

// What every operation must keep, whatever it was called with; empty when
// all holds, else the first fault.
inline std::string TableFault(const CodeTable& table) {
  const auto number = [](int value) { return std::to_string(value); };
  int sources[256] = {};
  for (int p = 0; p < 256; ++p) {
    const int target = table.Target(p);
    if (target < -1 || target > 255) return "target of " + number(p) + " is " + number(target);
    if (target >= 0) ++sources[target];
    if (std::strlen(table.Cell(p)) != 5) return "cell " + number(p) + " is not five characters";
  }
  for (int c = 0; c < 256; ++c)
    if (table.Count(c) != sources[c] - 1)
      return "count of " + number(c) + " is " + number(table.Count(c)) + " for " + number(sources[c]) + " sources";
  if (std::strlen(table.Header()) > 64) return "header longer than 64";
  if (std::strncmp(table.Header(), "QAVO CodeTab ", 13) != 0) return "header " + std::string(table.Header());
  if (std::strlen(table.FontName()) > 67) return "font name longer than 67";
  if (table.CurrentPosition() < -1 || table.CurrentPosition() > 255)
    return "current position " + number(table.CurrentPosition());
  if (table.CurrentOrdinal() < -1 || table.CurrentOrdinal() > 255)
    return "current ordinal " + number(table.CurrentOrdinal());
  const CodeTable* partner = table.Partner();
  if (partner && partner->Partner() != &table) return "partner link not mutual";
  if (partner && table.IsActive() && partner->IsActive()) return "both tables of the pair active";
  return std::string();
}

// The first field in which two records differ, empty when none does.
inline std::string RecordDifference(const CodeTable& a, const CodeTable& b) {
  if (std::memcmp(a.Entries(), b.Entries(), sizeof(TableEntry) * 256) != 0) return "entries";
  for (int p = 0; p < 256; ++p)
    if (std::strcmp(a.Cell(p), b.Cell(p)) != 0) return "cell " + std::to_string(p);
  if (std::strcmp(a.Header(), b.Header()) != 0) return std::string("header ") + a.Header() + " / " + b.Header();
  if (std::strcmp(a.Name(), b.Name()) != 0) return "name";
  if (std::strcmp(a.FontName(), b.FontName()) != 0) return "font name";
  if (a.Partner() != b.Partner()) return "partner";
  if (a.Kind() != b.Kind()) return "kind";
  if (a.CurrentOrdinal() != b.CurrentOrdinal() || a.CurrentPosition() != b.CurrentPosition()) return "current entry";
  if (a.IsActive() != b.IsActive()) return "active flag";
  return std::string();
}
