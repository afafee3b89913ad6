#include "app/changemarks.h"

#include <algorithm>

ChangeMarks::ChangeMarks(const CodeTable& exportTable, const CodeTable& importTable)
    : exportTable_(exportTable), importTable_(importTable) {
  Saved(Export);
  Saved(Import);
}

bool ChangeMarks::IsChanged(TableKind which) const {
  const std::vector<TableContent>& held = which == Export ? heldExport_ : heldImport_;
  const TableContent now(which == Export ? exportTable_ : importTable_);
  return std::find(held.begin(), held.end(), now) == held.end();
}

void ChangeMarks::Saved(TableKind which) {
  if (IsChanged(which))
    (which == Export ? heldExport_ : heldImport_)
        .push_back(TableContent(which == Export ? exportTable_ : importTable_));
}

void ChangeMarks::Loaded(TableKind which, bool wasChanged) {
  if (!wasChanged) Saved(which);
}
