// "&Bearbeiten": the EXPORT and IMPORT tables as a pair: chaining, clearing
// and copying one into the other as its inverse.
#include "app/session.h"

void Session::Chain(bool on) { ExportTable->Link(on ? ImportTable : nullptr); }

void Session::ChainTables() {
  const bool on = ChainTablesAction->isChecked();
  ChangeTables(on ? QStringLiteral("Tabellen verbinden") : QStringLiteral("Tabellen trennen"), [&] { Chain(on); });
}

// The kind is forgotten while the cells are rewritten, so every cell shows
// "=" until the table is next loaded or copied into.
void Session::ClearTable(TableKind kind) {
  Table(kind).Reset(true);
  Table(kind).SetKind(kind);
}

void Session::ClearBothTables() {
  ChangeTables(QStringLiteral("Beide Tabellen leeren"), [this] {
    ClearTable(TableKind::kExport);
    ClearTable(TableKind::kImport);
  });
}

void Session::ClearExportTable() {
  ChangeTables(QStringLiteral("EXPORT Tabelle leeren"), [this] { ClearTable(TableKind::kExport); });
}

void Session::ClearImportTable() {
  ChangeTables(QStringLiteral("IMPORT Tabelle leeren"), [this] { ClearTable(TableKind::kImport); });
}

// Rebuilds the destination as the inverse of the other table. An active
// linked destination is unlinked for the rebuild, so nothing of it is
// mirrored back into the source.
void Session::CopyInverse(TableKind kind) {
  CodeTable& destination = Table(kind);
  const CodeTable& source = Table(kind == TableKind::kExport ? TableKind::kImport : TableKind::kExport);
  if (destination.CountAssigned() > 0 &&
      !Prompt().Confirm(TableName(kind) + QString::fromUtf8("-Tabelle nicht leer!\nÜberschreiben?")))
    return;
  const char* const from = TableName(kind == TableKind::kExport ? TableKind::kImport : TableKind::kExport);
  ChangeTables(QString::fromUtf8("Von %1 nach %2 übertragen").arg(from, TableName(kind)), [&] {
    CodeTable* const partner = destination.IsActive() ? destination.Partner() : nullptr;
    if (partner) destination.Link(nullptr);
    destination.BuildInverse(source);
    if (partner) destination.Link(partner);
    int first = -1;
    destination.FirstAssigned(first);
    destination.Select(first);
  });
}

void Session::InvertExportIntoImport() { CopyInverse(TableKind::kImport); }

void Session::InvertImportIntoExport() { CopyInverse(TableKind::kExport); }
