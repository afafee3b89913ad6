// "&Fenster": showing and hiding the two table windows, and the row/column
// swap of their grids. The ui creates, places, shows and hides the windows
// when the session announces it.
#include "app/session.h"

void Session::SetTableWindow(TableKind kind, QWidget* window) {
  (kind == TableKind::kExport ? export_window_ : import_window_) = window;
}

void Session::ToggleTableWindow(TableKind kind) {
  bool& shown = kind == TableKind::kExport ? export_shown_ : import_shown_;
  shown = !shown;
  emit TableWindowShownChanged(kind, shown);
  FollowShownWindows();
}

void Session::TableWindowClosed(TableKind kind) {
  bool& shown = kind == TableKind::kExport ? export_shown_ : import_shown_;
  if (!shown) return;
  shown = false;
  FollowShownWindows();
}

void Session::ToggleExportWindow() { ToggleTableWindow(TableKind::kExport); }

void Session::ToggleImportWindow() { ToggleTableWindow(TableKind::kImport); }

void Session::ToggleBothWindows() {
  ToggleExportWindow();
  ToggleImportWindow();
}

void Session::FollowShownWindows() {
  ShowExport->setChecked(export_shown_);
  ShowImport->setChecked(import_shown_);
  if (export_shown_ && import_shown_) {
    ShowBoth->setText("&Beide Tabellen verbergen");
    ShowBoth->setEnabled(true);
    ShowBoth->setChecked(true);
  } else if (!export_shown_ && !import_shown_) {
    ShowBoth->setText("&Beide Tabellen zeigen");
    ShowBoth->setEnabled(true);
    ShowBoth->setChecked(false);
  } else {
    ShowBoth->setText("&Beide Tabellen zeigen / verbergen");
    ShowBoth->setEnabled(false);
    ShowBoth->setChecked(false);
  }
  ShowImport->setText(import_shown_ ? "Import-Tabellenfenster verbergen" : "Import-Tabellenfenster zeigen");
  ShowExport->setText(export_shown_ ? "Export-Tabellenfenster verbergen" : "Export-Tabellenfenster zeigen");
}

void Session::AnnounceSwap() { emit SwapChanged(); }

void Session::RequestSampleText() { emit SampleTextRequested(); }
