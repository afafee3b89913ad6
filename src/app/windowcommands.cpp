#include "app/session.h"

#include "ui/tablegrid.h"
#include "ui/tablewindow.h"
#include "ui/controlwindow.h"

namespace {

GridMapping MapperFor(const QAction& doSwap) { return doSwap.isChecked() ? MapColumnsHigh : MapRowsHigh; }

// The EXPORT window sits at the top left; the IMPORT window below it,
// covering the lowest 8 pixels of the EXPORT window.
void Place(TableWindow& window, bool below) {
  window.move(0, below ? window.frameGeometry().height() - 8 : 0);
}

TableWindow* CreateTableWindow(CodeTable* table, const DisplayFont* font, const QAction& doSwap, bool below) {
  auto* window = new TableWindow(nullptr);
  Place(*window, below);
  window->SetTable(table);
  if (font) window->Grid->SetListFont(*font);
  window->Grid->ItemMapper = MapperFor(doSwap);
  return window;
}

void RefreshControlWindow() {
  if (Qctecp) Qctecp->RefreshViews();
}

// Shows a hidden window and hides a visible one, creating it on first use.
void ToggleTableWindow(Session& session, TableWindow*& window, CodeTable* table, QAction& action, bool below) {
  const bool created = window == nullptr;
  if (created) window = CreateTableWindow(table, session.CurrentFont, *session.SwapRowsColumns, below);
  // The close box hides a window behind the action's back.
  action.setChecked(window->isVisible());
  if (action.isChecked()) {
    window->hide();
  } else {
    window->show();
    // The outer height is known once the window is on screen.
    if (created) Place(*window, below);
  }
  action.setChecked(window->isVisible());
  session.ShowCompleteExecute();
  RefreshControlWindow();
}

}  // namespace

void Session::ShowExportExecute() { ToggleTableWindow(*this, ExportWindow, ExportTable, *ShowExport, false); }

void Session::ShowImportExecute() { ToggleTableWindow(*this, ImportWindow, ImportTable, *ShowImport, true); }

void Session::ShowBothExecute() {
  ShowExportExecute();
  ShowImportExecute();
}

void Session::ShowCompleteExecute() {
  const bool exportShown = ShowExport->isChecked();
  const bool importShown = ShowImport->isChecked();
  if (exportShown && importShown) {
    ShowBoth->setText("&Beide Tabellen verbergen");
    ShowBoth->setEnabled(true);
    ShowBoth->setChecked(true);
  } else if (!exportShown && !importShown) {
    ShowBoth->setText("&Beide Tabellen zeigen");
    ShowBoth->setEnabled(true);
    ShowBoth->setChecked(false);
  } else {
    ShowBoth->setText("&Beide Tabellen zeigen / verbergen");
    ShowBoth->setEnabled(false);
    ShowBoth->setChecked(false);
  }
  ShowImport->setText(importShown ? "Import-Tabellenfenster verbergen" : "Import-Tabellenfenster zeigen");
  ShowExport->setText(exportShown ? "Export-Tabellenfenster verbergen" : "Export-Tabellenfenster zeigen");
}

void Session::SwapRowsColumnsExecute() {
  const GridMapping mapper = MapperFor(*SwapRowsColumns);
  if (ImportWindow) ImportWindow->Grid->ItemMapper = mapper;
  if (ExportWindow) ExportWindow->Grid->ItemMapper = mapper;
  RefreshControlWindow();
}
