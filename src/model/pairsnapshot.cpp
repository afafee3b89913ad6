#include "model/pairsnapshot.h"

#include "model/tablecontent.h"

PairSnapshot::PairSnapshot(const CodeTable& exportTable, const CodeTable& importTable)
    : export_(exportTable), import_(importTable) {}

void PairSnapshot::Restore(CodeTable& exportTable, CodeTable& importTable) const {
  exportTable.Restore(export_);
  importTable.Restore(import_);
}

bool PairSnapshot::SameState(const PairSnapshot& other) const {
  return TableContent(export_) == TableContent(other.export_) && export_.SameState(other.export_) &&
         TableContent(import_) == TableContent(other.import_) && import_.SameState(other.import_);
}
