// Which table holds what no file holds. A table is changed while its content
// differs from what it was last loaded or saved as (at start: empty). Undo
// and redo bring contents back, and the marks follow them.
#pragma once

#include "model/codetable.h"
#include "model/tablecontent.h"

class ChangeMarks {
 public:
  // Watches the two tables; what they hold now counts as saved.
  ChangeMarks(const CodeTable& export_table, const CodeTable& import_table);

  bool IsChanged(TableKind which) const;
  // The table's content is now what a file or a preset holds.
  void Saved(TableKind which);

 private:
  const CodeTable& export_table_;
  const CodeTable& import_table_;
  TableContent saved_export_;
  TableContent saved_import_;
};
