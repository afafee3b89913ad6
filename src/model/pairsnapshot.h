// The state of the EXPORT and IMPORT tables that an undo step brings back:
// entries, counts, cells, kind and header name, the chain, the active flags
// and the current entries. The colours are settings of the session and stay
// as they are; so does the display font when another one was chosen since.
#pragma once

#include "model/codetable.h"

class PairSnapshot {
 public:
  PairSnapshot(const CodeTable& export_table, const CodeTable& import_table);

  // Puts the state back into the two tables it was taken from.
  void Restore(CodeTable& export_table, CodeTable& import_table) const;

  // Does every field that Restore writes agree?
  bool SameState(const PairSnapshot& other) const;

 private:
  CodeTable export_;
  CodeTable import_;
};
