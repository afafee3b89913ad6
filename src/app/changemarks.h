// Which table holds what no file holds. A table is changed while its content
// differs from every content it had at start, when it was saved, or when it
// was loaded while unchanged. A load into a changed table keeps the mark:
// the edits it replaced stay within reach of undo. Undo and redo bring
// contents back, and the marks follow them.
#pragma once

#include <vector>

#include "model/codetable.h"
#include "model/tablecontent.h"

class ChangeMarks {
 public:
  // Watches the two tables; what they hold now counts as saved.
  ChangeMarks(const CodeTable& exportTable, const CodeTable& importTable);

  bool IsChanged(TableKind which) const;
  // The table's content is now kept in a file.
  void Saved(TableKind which);
  // The table was loaded; wasChanged: it was changed before the load.
  void Loaded(TableKind which, bool wasChanged);

 private:
  const CodeTable& exportTable_;
  const CodeTable& importTable_;
  std::vector<TableContent> heldExport_;
  std::vector<TableContent> heldImport_;
};
