// Start-up state of the session and the control window.
#include "support/session.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTimer>
#include <cstring>

#include "platform/colors.h"

namespace {

struct ActionRow {
  const char* Name;
  const char* Caption;
};

const ActionRow kActions[] = {
    {"Quit", "&Beenden"},
    {"ChainTablesAction", "Tabellen &verbinden"},
    {"ClearBoth", "&Beide Tabellen leeren"},
    {"ClearExport", "&EXPORT Tabelle leeren"},
    {"ClearImport", "&IMPORT Tablee leeren"},
    {"ColorActiveAction", "&Aktiviert ..."},
    {"ColorAmbiguousAction", "&Mehrfach-Zuordnung ..."},
    {"ColorProofAction", "&Eindeutige Zuordnung ..."},
    {"ColorChainedAction", "&Verbundene Tabellen ..."},
    {"CopyExportToImport", "Von &EXPORT nach IMPORT"},
    {"CopyImportToExport", "Von &IMPORT nach  EXPORT"},
    {"SwapRowsColumns", "&Zeilen und Spalten vertauschen"},
    {"FontCourierNew", "WINDOWS &Courier new"},
    {"FontFixedSys", "&ANSI (WINDOWS FixedSys)"},
    {"FontSansSerif", "WINDOWS MS &Sans Serif"},
    {"ChooseFont", "&Zeichensatz w\xC3\xA4hlen ..."},
    {"FontTerminal", "&OEM (WINDOWS Terminal)"},
    {"LoadDIN", "&Beide"},
    {"LoadIsoCp273", "&Beide"},
    {"LoadIsoCp37", "&Beide"},
    {"LoadUnix", "&Beide"},
    {"LoadDinExport", "&EXPORT (a/e)"},
    {"LoadIsoExportCp273", "&EXPORT (a/e)"},
    {"LoadIsoExportCp37", "&EXPORT (a/e)"},
    {"LoadUnixExport", "&EXPORT (a/e)"},
    {"LoadDinImport", "&IMPORT (e/a)"},
    {"LoadIsoImportCp273", "&IMPORT (e/a)"},
    {"LoadIsoImportCp37", "&IMPORT (e/a)"},
    {"LoadUnixImport", "&IMPORT (e/a)"},
    {"LoadExport", "&EXPORT (256 Bytes) ..."},
    {"LoadImport", "&IIMPORT  (256 Bytes) ..."},
    {"LoadTableFile", "&automatische Erkennung ..."},
    {"MakeDiff2DIN", "MakeDiff2DIN"},
    {"MakeDiff2Table", "MakeDiff2Table"},
    {"SaveUnix", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ..."},
    {"SaveV3", "&Windows QAVO V3 kompatibel (512 Byte) ..."},
    {"SaveV5", "Windows QAVO V&5 (1088/2176 Bytes) ..."},
    {"SaveCHeader", "&C Header ..."},
    {"SavePascal", "&Pascal (Delphi) Header ..."},
    {"ShowComplete", "ShowComplete"},
    {"Print", "&Drucken ..."},
    {"Help", "&Hilfe"},
};

TEST(SessionCreate, EveryActionWithItsCaptionAndCheckState) {
  Session dm;
  for (const ActionRow& row : kActions) {
    auto* action = dm.findChild<QAction*>(row.Name);
    ASSERT_NE(action, nullptr) << row.Name;
    EXPECT_EQ(action->text(), QString::fromUtf8(row.Caption)) << row.Name;
  }
  for (auto* action : {dm.ChainTablesAction, dm.SwapRowsColumns, dm.ShowBoth}) EXPECT_TRUE(action->isCheckable());
  EXPECT_TRUE(dm.ShowBoth->isChecked());
  EXPECT_FALSE(dm.SwapRowsColumns->isChecked());
  EXPECT_FALSE(dm.ChainTablesAction->isChecked());
  EXPECT_EQ(dm.findChild<QAction*>("ShowExport")->text(), "&EXPORT Fenster zeigen");
  EXPECT_EQ(dm.findChild<QAction*>("ShowImport")->text(), "&IMPORT Fenster zeigen");
}

TEST(SessionCreate, BothTablesAndTheDefaultsBeforeAnyWindow) {
  Session dm;
  ASSERT_NE(dm.ExportTable, nullptr);
  ASSERT_NE(dm.ImportTable, nullptr);
  EXPECT_EQ(dm.ExportTable->Kind(), TableKind::kExport);
  EXPECT_EQ(dm.ImportTable->Kind(), TableKind::kImport);
  EXPECT_EQ(&dm.Table(TableKind::kExport), dm.ExportTable);
  EXPECT_EQ(&dm.Table(TableKind::kImport), dm.ImportTable);
  EXPECT_EQ(dm.CurrentFont, &dm.Defaults.CourierNew);
  EXPECT_FALSE(dm.OemFontShown);
  for (const CodeTable* table : {dm.ExportTable, dm.ImportTable}) EXPECT_STREQ(table->FontName(), "Courier New");
  EXPECT_FALSE(dm.ShowExport->isChecked());
  EXPECT_FALSE(dm.ShowImport->isChecked());
  EXPECT_EQ(dm.OpenDialog.FilterIndex, 2);
  EXPECT_EQ(dm.OpenDialog.Filter, "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct");
}

TEST(SessionCreate, TheDefaultFontsAndColours) {
  const SessionDefaults defaults;
  EXPECT_EQ(defaults.CourierNew.Name, "Courier New");
  EXPECT_EQ(defaults.CourierNew.Height, -12);
  EXPECT_EQ(defaults.FixedSys.Name, "Fixedsys");
  EXPECT_EQ(defaults.FixedSys.Height, -11);
  EXPECT_EQ(defaults.SansSerif.Name, "MS Sans Serif");
  EXPECT_EQ(defaults.SansSerif.Height, -11);
  EXPECT_EQ(defaults.Terminal.Name, "Terminal");
  EXPECT_EQ(defaults.Terminal.Height, -12);
  EXPECT_TRUE(defaults.Terminal.OemCharset);
  EXPECT_TRUE(defaults.Terminal.Bold);
  EXPECT_EQ(defaults.ChainedColor, kColorFuchsia);
  EXPECT_EQ(defaults.ActiveColor, kColorFuchsia);
  EXPECT_EQ(defaults.AmbiguousColor, kColorRed);
  EXPECT_EQ(defaults.ProofColor, RgbColor(0, 128, 0));
  EXPECT_EQ(defaults.NoDataColor, kColorButtonShadow);
}

using StartUp = SessionTest;

TEST_F(StartUp, BothTablesEmptyWithCourierNewInTheirHeaders) {
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  EXPECT_EQ(ImportTable().CountAssigned(), 0);
  EXPECT_EQ(ExportTable().Kind(), TableKind::kExport);
  EXPECT_EQ(ImportTable().Kind(), TableKind::kImport);
  EXPECT_STREQ(ExportTable().Header(), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_STREQ(ImportTable().Header(), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_EQ(ExportTable().Partner(), nullptr);
  EXPECT_EQ(ImportTable().Partner(), nullptr);
  EXPECT_FALSE(TheSession->OemFontShown);
}

TEST_F(StartUp, TheSessionStartsWithItsDefaults) {
  ASSERT_NE(TheSession->CurrentFont, nullptr);
  EXPECT_EQ(TheSession->CurrentFont, &TheSession->Defaults.CourierNew);
  EXPECT_EQ(TheSession->CurrentFont->Name, "Courier New");
  EXPECT_EQ(TheSession->CurrentFont->Height, -12);
  EXPECT_FALSE(TheSession->CurrentFont->OemCharset);
  EXPECT_EQ(TheSession->ChainedColor, kColorFuchsia);
  EXPECT_EQ(TheSession->ActiveColor, kColorFuchsia);
  EXPECT_EQ(TheSession->AmbiguousColor, kColorRed);
  EXPECT_EQ(TheSession->ProofColor, RgbColor(0, 128, 0));
  EXPECT_EQ(TheSession->NoDataColor, kColorButtonShadow);
}

// Without any window: the session alone keeps the current entries and the
// active table, and says what changed.
TEST(SessionSelection, SelectEntryAnnouncesTheTableAndPosition) {
  Session session;
  QSignalSpy selected(&session, &Session::EntrySelected);
  session.SelectEntry(TableKind::kImport, 0x1C1);
  session.SelectEntry(TableKind::kExport, 0x41);
  session.SelectEntry(TableKind::kExport, -1);
  EXPECT_EQ(session.ImportTable->CurrentPosition(), 0xC1);
  EXPECT_EQ(session.ExportTable->CurrentPosition(), -1);
  ASSERT_EQ(selected.size(), 3);
  const std::pair<TableKind, int> expected[] = {
      {TableKind::kImport, 0xC1}, {TableKind::kExport, 0x41}, {TableKind::kExport, -1}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(selected[i][0].value<TableKind>(), expected[i].first) << i;
    EXPECT_EQ(selected[i][1].toInt(), expected[i].second) << i;
  }
}

TEST(SessionSelection, SetActiveTableLeavesTheOtherInactiveChainedOrNot) {
  Session session;
  QSignalSpy activated(&session, &Session::ActiveTableChanged);
  for (const bool chained : {false, true}) {
    session.ExportTable->Link(chained ? session.ImportTable : nullptr);
    session.SetActiveTable(TableKind::kImport);
    EXPECT_TRUE(session.ImportTable->IsActive()) << chained;
    EXPECT_FALSE(session.ExportTable->IsActive()) << chained;
    session.SetActiveTable(TableKind::kExport);
    EXPECT_TRUE(session.ExportTable->IsActive()) << chained;
    EXPECT_FALSE(session.ImportTable->IsActive()) << chained;
  }
  ASSERT_EQ(activated.size(), 4);
  EXPECT_EQ(activated[2][0].value<TableKind>(), TableKind::kImport);
  EXPECT_EQ(activated[3][0].value<TableKind>(), TableKind::kExport);
}

TEST_F(StartUp, ControlWindowCaptionAndPlace) {
  EXPECT_EQ(CaptionText(*TheControl), QString::fromUtf8("QAVO® Code Table Editor Control"));
  EXPECT_EQ(TheControl->pos(), QPoint(808, 78));
  EXPECT_EQ(TheControl->ChainMargin->size(), QSize(214, 392));
}

TEST_F(StartUp, BeendenClosesTheControlWindowAndEndsTheLoop) {
  TheControl->show();
  ASSERT_TRUE(TheControl->isVisible());
  bool quit_requested = false;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { quit_requested = true; });
  QTimer::singleShot(0, [] { TheSession->Quit->trigger(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(quit_requested);
  EXPECT_FALSE(TheControl->isVisible());
}

}  // namespace
