#include "app/dm1unit.h"

#include "ui/frmunit2.h"
#include "ui/listform.h"
#include "ui/teunit1.h"

namespace {

TItemMapper MapperFor(const QAction& doSwap) { return doSwap.isChecked() ? MapColumnsHigh : MapRowsHigh; }

// The EXPORT window sits at the top left; the IMPORT window below it,
// covering the lowest 8 pixels of the EXPORT window.
void Place(TListBoxForm& window, bool below) {
  window.move(0, below ? window.frameGeometry().height() - 8 : 0);
}

TListBoxForm* CreateTableWindow(TCodeTab* table, const TFont* font, const QAction& doSwap, bool below) {
  auto* window = new TListBoxForm(nullptr);
  Place(*window, below);
  window->SetTable(table);
  if (font) window->FrmListBox1->SetListFont(*font);
  window->FrmListBox1->ItemMapper = MapperFor(doSwap);
  return window;
}

void RefreshControlWindow() {
  if (Qctecp) Qctecp->RefreshViews();
}

// Shows a hidden window and hides a visible one, creating it on first use.
void ToggleTableWindow(TDM1& session, TListBoxForm*& window, TCodeTab* table, QAction& action, bool below) {
  const bool created = window == nullptr;
  if (created) window = CreateTableWindow(table, session.DisplayFont, *session.DoSwap, below);
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

void TDM1::ShowExportExecute() { ToggleTableWindow(*this, ExportWindow, ExportTable, *ShowExport, false); }

void TDM1::ShowImportExecute() { ToggleTableWindow(*this, ImportWindow, ImportTable, *ShowImport, true); }

void TDM1::ShowBothExecute() {
  ShowExportExecute();
  ShowImportExecute();
}

void TDM1::ShowCompleteExecute() {
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

void TDM1::DoSwapExecute() {
  const TItemMapper mapper = MapperFor(*DoSwap);
  if (ImportWindow) ImportWindow->FrmListBox1->ItemMapper = mapper;
  if (ExportWindow) ExportWindow->FrmListBox1->ItemMapper = mapper;
  RefreshControlWindow();
}
