// Start-up state of the session and the control window.
#include <QApplication>
#include <QTimer>
#include <cstring>

#include "platform/colors.h"
#include "support/session.h"

namespace {

struct ActionRow {
  const char* Name;
  const char* Caption;
};

const ActionRow Actions[] = {
    {"Quit", "&Beenden"},
    {"ChainTablesAction", "Tabellen &verbinden"},
    {"ClearBoth", "&Beide Tabellen leeren"},
    {"ClearExport", "&EXPORT Tabelle leeren"},
    {"ClearImport", "&IMPORT Tablee leeren"},
    {"ColorActiveAction", "&Aktiviert"},
    {"ColorAmbiguousAction", "&Mehrfach-Zuordnung"},
    {"ColorProofAction", "&Eindeutige Zuordnung"},
    {"ColorChainedAction", "&Verbundene Tabellen"},
    {"CopyExportToImport", "Von &EXPORT nach IMPORT"},
    {"CopyImportToExport", "Von &IMPORT nach  EXPORT"},
    {"SwapRowsColumns", "&Zeilen und Spalten vertauschen"},
    {"FontCourierNew", "WINDOWS &Courier new"},
    {"FontFixedSys", "&ANSI (WINDOWS FixedSys)"},
    {"FontSansSerif", "WINDOWS MS &Sans Serif"},
    {"ChooseFont", "&Zeichensatz w\xC3\xA4hlen"},
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
    {"LoadExport", "&EXPORT (256 Bytes)"},
    {"LoadImport", "&IIMPORT  (256 Bytes)"},
    {"LoadTableFile", "&automatische Erkennung"},
    {"MakeDiff2DIN", "MakeDiff2DIN"},
    {"MakeDiff2Table", "MakeDiff2Table"},
    {"SaveUnix", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ..."},
    {"SaveV3", "&Windows QAVO V3 kompatibel (512 Byte) ..."},
    {"SaveV5", "Windows QAVO V&5 (1088/2176 Bytes) ..."},
    {"SaveCHeader", "&C Header"},
    {"SavePascal", "&Pascal (Delphi) Header"},
    {"ShowComplete", "ShowComplete"},
    {"Print", "&Drucken"},
    {"Help", "&Hilfe"},
};

TEST(SessionCreate, EveryActionWithItsCaptionAndCheckState) {
  Session dm;
  for (const ActionRow& row : Actions) {
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

TEST(SessionCreate, StartValuesBeforeTheControlWindow) {
  Session dm;
  EXPECT_EQ(dm.ExportTable, nullptr);
  EXPECT_EQ(dm.ImportTable, nullptr);
  EXPECT_EQ(dm.ExportWindow, nullptr);
  EXPECT_EQ(dm.ImportWindow, nullptr);
  EXPECT_EQ(dm.CurrentFont, nullptr);
  EXPECT_EQ(dm.OemFont, 0);
  EXPECT_EQ(dm.NoDataColor, -1);
  EXPECT_EQ(dm.ChainedColor, -1);
  EXPECT_EQ(dm.AmbiguousColor, -1);
  EXPECT_EQ(dm.OpenDialog.FilterIndex, 2);
  EXPECT_EQ(dm.OpenDialog.Filter, "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct");
}

TEST(SessionAttach, CopiesOnlySetColours) {
  Session dm;
  CodeTable table(Export);
  dm.ActiveColor = -1;
  dm.AmbiguousColor = -1;
  dm.ProofColor = -1;
  dm.NoDataColor = -1;
  dm.AttachExport(&table);
  EXPECT_EQ(dm.ExportTable, &table);
  EXPECT_EQ(table.ActiveColor, -1);
  EXPECT_EQ(table.AmbiguousColor, -1);
  EXPECT_EQ(table.ProofColor, -1);
  EXPECT_EQ(table.NoDataColor, -1);

  dm.ActiveColor = clFuchsia;
  dm.AmbiguousColor = clRed;
  dm.ProofColor = clGreen;
  dm.NoDataColor = clBtnShadow;
  dm.AttachImport(&table);
  EXPECT_EQ(dm.ImportTable, &table);
  EXPECT_EQ(table.ActiveColor, clFuchsia);
  EXPECT_EQ(table.AmbiguousColor, clRed);
  EXPECT_EQ(table.ProofColor, clGreen);
  EXPECT_EQ(table.NoDataColor, clBtnShadow);
}

TEST(SessionAttach, ActiveAndProofColourReachThePartnerOnlyFromAnActiveTable) {
  Session dm;
  CodeTable exp(Export), imp(Import);
  exp.Link(&imp);
  imp.ActiveColor = imp.ProofColor = imp.AmbiguousColor = imp.NoDataColor = -1;
  dm.ActiveColor = clFuchsia;
  dm.AmbiguousColor = clRed;
  dm.ProofColor = clGreen;
  dm.NoDataColor = clBtnShadow;
  dm.AttachExport(&exp);
  EXPECT_EQ(imp.ActiveColor, -1);
  EXPECT_EQ(imp.ProofColor, -1);
  EXPECT_EQ(imp.AmbiguousColor, clRed);
  EXPECT_EQ(imp.NoDataColor, clBtnShadow);
  exp.SetActive(1);
  imp.ActiveColor = -1;
  dm.AttachExport(&exp);
  EXPECT_EQ(imp.ActiveColor, clFuchsia);
  EXPECT_EQ(imp.ProofColor, clGreen);
}

TEST(SessionAttach, ActiveColourIsCopiedWhenZero) {
  Session dm;
  CodeTable table(Export);
  dm.ActiveColor = 0;  // black is a colour
  dm.AttachExport(&table);
  EXPECT_EQ(table.ActiveColor, 0);
}

using StartUp = SessionTest;

TEST_F(StartUp, BothTablesEmptyWithCourierNewInTheirHeaders) {
  EXPECT_EQ(exportTable().CountAssigned(), 0);
  EXPECT_EQ(importTable().CountAssigned(), 0);
  EXPECT_EQ(exportTable().Kind, Export);
  EXPECT_EQ(importTable().Kind, Import);
  EXPECT_STREQ(exportTable().Header, "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_STREQ(importTable().Header, "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_EQ(exportTable().Partner, nullptr);
  EXPECT_EQ(importTable().Partner, nullptr);
  EXPECT_EQ(DM1->OemFont, 0);
}

TEST_F(StartUp, SessionDefaultsComeFromTheSampleLabels) {
  ASSERT_NE(DM1->CurrentFont, nullptr);
  EXPECT_EQ(DM1->CurrentFont, &Qctecp->LblCurier->SampleFont);
  EXPECT_EQ(DM1->CurrentFont->Name, "Courier New");
  EXPECT_EQ(DM1->CurrentFont->Height, -12);
  EXPECT_FALSE(DM1->CurrentFont->OemCharset);
  EXPECT_EQ(DM1->ChainedColor, clFuchsia);
  EXPECT_EQ(DM1->ActiveColor, clFuchsia);
  EXPECT_EQ(DM1->AmbiguousColor, clRed);
  EXPECT_EQ(DM1->ProofColor, RgbColor(0, 128, 0));
  EXPECT_EQ(DM1->NoDataColor, clBtnShadow);
  EXPECT_EQ(exportTable().AmbiguousColor, clRed);
  EXPECT_EQ(importTable().ProofColor, clGreen);
  EXPECT_EQ(importTable().NoDataColor, clBtnShadow);
  EXPECT_EQ(exportTable().Font, reinterpret_cast<DisplayFont*>(DM1->CurrentFont));
}

TEST_F(StartUp, ControlWindowCaptionAndPlace) {
  EXPECT_EQ(Qctecp->windowTitle(), QString::fromUtf8("QAVO® Code Table Editor Control"));
  EXPECT_EQ(Qctecp->pos(), QPoint(808, 78));
  EXPECT_EQ(Qctecp->ChainMargin->size(), QSize(214, 392));
}

TEST_F(StartUp, BeendenClosesTheControlWindowAndEndsTheLoop) {
  Qctecp->show();
  ASSERT_TRUE(Qctecp->isVisible());
  bool quitRequested = false;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { quitRequested = true; });
  QTimer::singleShot(0, [] { DM1->Quit->trigger(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(quitRequested);
  EXPECT_FALSE(Qctecp->isVisible());
}

}  // namespace
