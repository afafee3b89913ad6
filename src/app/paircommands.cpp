// Commands on the EXPORT and IMPORT tables as a pair: chaining, clearing
// and copying one into the other as its inverse.
#include "app/session.h"
#include "ui/controlwindow.h"

namespace {

void RefreshViews() {
  if (Qctecp) Qctecp->RefreshViews();
}

// Empties a table. The kind is forgotten while the cells are rewritten, so
// every cell shows "=" until the table is next loaded or copied into.
void ClearTable(CodeTable& table, TableKind kind) {
  table.Reset(true);
  table.SetKind(kind);
}

// Rebuilds the destination as the inverse of the source. An active linked
// destination is unlinked for the rebuild, so nothing of it is mirrored back
// into the source.
void CopyInverse(Prompter& prompter, const CodeTable& source, CodeTable& destination, const QString& question) {
  if (destination.CountAssigned() > 0 && !prompter.Confirm(question)) return;
  CodeTable* const partner = destination.Active ? destination.Partner : nullptr;
  if (partner) destination.Link(nullptr);
  destination.BuildInverse(source);
  if (partner) destination.Link(partner);
  int first = -1;
  destination.FirstAssigned(first);
  destination.Select(first);
  RefreshViews();
}

}  // namespace

void Session::ChainTablesActionExecute() {
  if (ChainTablesAction->isChecked() && ExportTable && ImportTable)
    ExportTable->Link(ImportTable);
  else if (ExportTable)
    ExportTable->Link(nullptr);
  RefreshViews();
}

void Session::ClearBothExecute() {
  ClearExportExecute();
  ClearImportExecute();
}

void Session::ClearExportExecute() {
  ClearTable(*ExportTable, Export);
  RefreshViews();
}

void Session::ClearImportExecute() {
  ClearTable(*ImportTable, Import);
  RefreshViews();
}

void Session::CopyExportToImportExecute() {
  CopyInverse(Prompt(), *ExportTable, *ImportTable, QString::fromUtf8("IMPORT-Tabelle nicht leer!\nÜberschreiben?"));
}

void Session::CopyImportToExportExecute() {
  CopyInverse(Prompt(), *ImportTable, *ExportTable, QString::fromUtf8("EXPORT-Tabelle nicht leer!\nÜberschreiben?"));
}
