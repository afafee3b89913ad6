// Which table holds what no file holds. A table is changed while its content
// differs from every content it had at start, when it was saved, or when it
// was loaded while unchanged: a load into a changed table keeps the mark,
// because the edits it replaced stay within reach of undo. Undo and redo
// bring contents back, and the marks follow them.
#pragma once

#include <vector>

#include "model/codetable.h"
#include "model/tablecontent.h"

class ChangeMarks {
 public:
  // Watches the two tables; what they hold now counts as held.
  ChangeMarks(const CodeTable& exportTable, const CodeTable& importTable);

  bool IsChanged(TableKind which) const;
  // The table's content is now kept in a file or was loaded.
  void Hold(TableKind which);

 private:
  const CodeTable& Table(TableKind which) const { return which == Export ? exportTable_ : importTable_; }
  std::vector<TableContent>& Held(TableKind which) { return which == Export ? heldExport_ : heldImport_; }
  const std::vector<TableContent>& Held(TableKind which) const { return which == Export ? heldExport_ : heldImport_; }

  const CodeTable& exportTable_;
  const CodeTable& importTable_;
  std::vector<TableContent> heldExport_;
  std::vector<TableContent> heldImport_;
};
