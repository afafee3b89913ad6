// Commands on the EXPORT and IMPORT tables as a pair: chaining, clearing
// and copying one into the other as its inverse.
#include "app/dm1unit.h"
#include "ui/teunit1.h"

namespace {

void RefreshViews() {
  if (Qctecp) Qctecp->RefreshViews();
}

// Empties a table. The kind is forgotten while the cells are rewritten, so
// every cell shows "=" until the table is next loaded or copied into.
void ClearTable(TCodeTab& table, TableKind kind) {
  table.Reset(true);
  table.SetKind(kind);
}

// Rebuilds the destination as the inverse of the source. An active linked
// destination is unlinked for the rebuild, so nothing of it is mirrored back
// into the source.
void CopyInverse(TPrompter& prompter, const TCodeTab& source, TCodeTab& destination, const QString& question) {
  if (destination.CountAssigned() > 0 && !prompter.Confirm(question)) return;
  TCodeTab* const partner = destination.Active ? destination.Partner : nullptr;
  if (partner) destination.Link(nullptr);
  destination.BuildInverse(source);
  if (partner) destination.Link(partner);
  int first = -1;
  destination.FirstAssigned(first);
  destination.Select(first);
  RefreshViews();
}

}  // namespace

void TDM1::ChainTablesActionExecute() {
  if (ChainTablesAction->isChecked() && ExportTable && ImportTable)
    ExportTable->Link(ImportTable);
  else if (ExportTable)
    ExportTable->Link(nullptr);
  RefreshViews();
}

void TDM1::ClearBothExecute() {
  ClearExportExecute();
  ClearImportExecute();
}

void TDM1::ClearExportExecute() {
  ClearTable(*ExportTable, Export);
  RefreshViews();
}

void TDM1::ClearImportExecute() {
  ClearTable(*ImportTable, Import);
  RefreshViews();
}

void TDM1::CopyExport2ImportExecute() {
  CopyInverse(Prompter(), *ExportTable, *ImportTable, QString::fromUtf8("IMPORT-Tabelle nicht leer!\nÜberschreiben?"));
}

void TDM1::CopyImport2ExportExecute() {
  CopyInverse(Prompter(), *ImportTable, *ExportTable, QString::fromUtf8("EXPORT-Tabelle nicht leer!\nÜberschreiben?"));
}
