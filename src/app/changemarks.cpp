#include "app/changemarks.h"

#include <algorithm>

ChangeMarks::ChangeMarks(const CodeTable& exportTable, const CodeTable& importTable)
    : exportTable_(exportTable), importTable_(importTable) {
  Hold(Export);
  Hold(Import);
}

bool ChangeMarks::IsChanged(TableKind which) const {
  const std::vector<TableContent>& held = Held(which);
  return std::find(held.begin(), held.end(), TableContent(Table(which))) == held.end();
}

void ChangeMarks::Hold(TableKind which) {
  if (IsChanged(which)) Held(which).push_back(TableContent(Table(which)));
}
