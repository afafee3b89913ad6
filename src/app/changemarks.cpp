#include "app/changemarks.h"

ChangeMarks::ChangeMarks(const CodeTable& exportTable, const CodeTable& importTable)
    : exportTable_(exportTable), importTable_(importTable), savedExport_(exportTable), savedImport_(importTable) {}

bool ChangeMarks::IsChanged(TableKind which) const {
  return which == TableKind::kExport ? TableContent(exportTable_) != savedExport_
                                     : TableContent(importTable_) != savedImport_;
}

void ChangeMarks::Saved(TableKind which) {
  if (which == TableKind::kExport)
    savedExport_ = TableContent(exportTable_);
  else
    savedImport_ = TableContent(importTable_);
}
