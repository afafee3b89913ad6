#include "model/pairsnapshot.h"

#include "model/tablecontent.h"

PairSnapshot::PairSnapshot(const CodeTable& export_table, const CodeTable& import_table)
    : export_(export_table), import_(import_table) {}

void PairSnapshot::Restore(CodeTable& export_table, CodeTable& import_table) const {
  export_table.Restore(export_);
  import_table.Restore(import_);
}

bool PairSnapshot::SameState(const PairSnapshot& other) const {
  return TableContent(export_) == TableContent(other.export_) && export_.SameState(other.export_) &&
         TableContent(import_) == TableContent(other.import_) && import_.SameState(other.import_);
}
