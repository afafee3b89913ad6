#include "app/changemarks.h"

#include <algorithm>

ChangeMarks::ChangeMarks(const CodeTable& exportTable, const CodeTable& importTable)
    : exportTable_(exportTable), importTable_(importTable) {
  Saved(TableKind::kExport);
  Saved(TableKind::kImport);
}

bool ChangeMarks::IsChanged(TableKind which) const {
  const std::vector<TableContent>& held = which == TableKind::kExport ? heldExport_ : heldImport_;
  const TableContent now(which == TableKind::kExport ? exportTable_ : importTable_);
  return std::find(held.begin(), held.end(), now) == held.end();
}

void ChangeMarks::Saved(TableKind which) {
  if (IsChanged(which))
    (which == TableKind::kExport ? heldExport_ : heldImport_)
        .push_back(TableContent(which == TableKind::kExport ? exportTable_ : importTable_));
}

void ChangeMarks::Loaded(TableKind which, bool wasChanged) {
  if (!wasChanged) Saved(which);
}
