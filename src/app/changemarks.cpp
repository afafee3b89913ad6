#include "app/changemarks.h"

ChangeMarks::ChangeMarks(const CodeTable& export_table, const CodeTable& import_table)
    : export_table_(export_table),
      import_table_(import_table),
      saved_export_(export_table),
      saved_import_(import_table) {}

bool ChangeMarks::IsChanged(TableKind which) const {
  return which == TableKind::kExport ? TableContent(export_table_) != saved_export_
                                     : TableContent(import_table_) != saved_import_;
}

void ChangeMarks::Saved(TableKind which) {
  if (which == TableKind::kExport)
    saved_export_ = TableContent(export_table_);
  else
    saved_import_ = TableContent(import_table_);
}
