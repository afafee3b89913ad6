// Every menu command chosen through the real menu, each in a short scenario
// that checks what the user would check afterwards.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTextBrowser>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "model/presets.h"
#include "support/acceptance.h"

namespace acceptance {
namespace {

using MenuCommands = Acceptance;

const QString kCourierExport = "QAVO CodeTab EXPORT [Courier New] ";
const QString kCourierImport = "QAVO CodeTab IMPORT [Courier New] ";
const QString kChain = "Tabellen &verbinden";

struct PresetMenu {
  const char* Title;
  const PresetPair& Preset;
};

const PresetMenu kPresetMenus[] = {
    {"&DIN (QAVO WINDOWS Standard)", kDinPreset},
    {"&ISO 8859-1 CP 273", kIsoCp273Preset},
    {"I&SO 8859-1 CP 37", kIsoCp37Preset},
    {"&QAVO (UNIX Version Standard)", kUnixPreset},
};

TEST_F(MenuCommands, PresetsLoadTheirTableOrBothAndShowThem) {
  for (const PresetMenu& menu : kPresetMenus) {
    SCOPED_TRACE(menu.Title);
    ASSERT_TRUE(Choose({"&Bearbeiten", "&Leeren", "&Beide Tabellen leeren"}));
    if (ExportTable().Partner()) {
      ASSERT_TRUE(Choose({"&Bearbeiten", kChain}));
    }

    ASSERT_TRUE(Choose({"&Tabelle laden", menu.Title, "&EXPORT (a/e)"}));
    EXPECT_EQ(Targets(ExportTable()), Targets(menu.Preset.Export));
    EXPECT_EQ(ImportTable().CountAssigned(), 0);
    EXPECT_EQ(Header(ExportTable()), kCourierExport + menu.Preset.ExportName);
    const int export_at_a = menu.Preset.Export[0x41];
    EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Text, " A:" + QString::asprintf("%02X", export_at_a));
    // The load selects position 0; the editor shows it.
    EXPECT_EQ(Fields(exp_),
              QStringList({"", Shown(menu.Preset.Export[0]), "00", QString::asprintf("%02X", menu.Preset.Export[0])}));

    ASSERT_TRUE(Choose({"&Tabelle laden", menu.Title, "&IMPORT (e/a)"}));
    EXPECT_EQ(Targets(ImportTable()), Targets(menu.Preset.Import));
    EXPECT_EQ(Header(ImportTable()), kCourierImport + menu.Preset.ImportName);
    EXPECT_EQ(ExportTable().Partner(), nullptr);
    EXPECT_FALSE(MenuItem({"&Bearbeiten", kChain})->isChecked());
    ExpectCaptions();

    ASSERT_TRUE(Choose({"&Bearbeiten", "&Leeren", "&Beide Tabellen leeren"}));
    ASSERT_TRUE(Choose({"&Tabelle laden", menu.Title, "&Beide"}));
    EXPECT_EQ(Targets(ExportTable()), Targets(menu.Preset.Export));
    EXPECT_EQ(Targets(ImportTable()), Targets(menu.Preset.Import));
    EXPECT_EQ(ExportTable().Partner(), &ImportTable());
    EXPECT_TRUE(MenuItem({"&Bearbeiten", kChain})->isChecked());
    EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(TheSession->ChainedColor));
    ExpectCaptions();
  }
  // The last pair is UNIX: ASCII only, the rest of EXPORT maps to 00,
  // which the grid shows as ambiguous; A is proven by the IMPORT table.
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x80).Color, Resolved(TheSession->AmbiguousColor));
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Color, Resolved(TheSession->ProofColor));
}

TEST_F(MenuCommands, TableFilesLoadByRecognitionOrForcedKind) {
  const QString identity = Path("identity.tab");
  const QString cp37_import = Path("cp37import.tab");
  WriteFile(identity, Image(Unassigned()));
  WriteFile(cp37_import, Image(Targets(kIsoCp37Import)));

  // Recognised by its content: the blank at 40 makes it an IMPORT image.
  prompter_->AnswerFile(cp37_import);
  ASSERT_TRUE(Choose({"&Tabelle laden", "&Aus Datei", "&automatische Erkennung ..."}));
  const auto opened = prompter_->CallsOf("open");
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].Settings.Title, "QAVO Codetabelle laden");
  EXPECT_EQ(opened[0].Settings.Filter, "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct");
  EXPECT_EQ(opened[0].Settings.FilterIndex, 2);
  EXPECT_EQ(Targets(ImportTable()), Targets(kIsoCp37Import));
  EXPECT_EQ(CaptionText(*ImportWindow()), (kCourierImport + cp37_import).left(64));
  EXPECT_EQ(ExportTable().CountAssigned(), 0);

  // The identity has neither mark: refused, until its kind is given.
  prompter_->AnswerFile(identity);
  ASSERT_TRUE(Choose({"&Tabelle laden", "&Aus Datei", "&automatische Erkennung ..."}));
  EXPECT_EQ(Texts("message"),
            QStringList({"IMPORT/EXPORT nicht erkannt\nEvtl. 256 Byte vorgeben\nDatei: " + identity}));
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  EXPECT_EQ(Targets(ImportTable()), Targets(kIsoCp37Import));

  prompter_->AnswerFile(identity);
  ASSERT_TRUE(Choose({"&Tabelle laden", "&Aus Datei", "&EXPORT (256 Bytes) ..."}));
  EXPECT_EQ(Targets(ExportTable()), Identity());
  EXPECT_EQ(CaptionText(*ExportWindow()), (kCourierExport + identity).left(64));

  prompter_->AnswerFile(identity);
  ASSERT_TRUE(Choose({"&Tabelle laden", "&Aus Datei", "&IIMPORT  (256 Bytes) ..."}));
  EXPECT_EQ(Targets(ImportTable()), Identity());
  EXPECT_EQ(DrawnEntry(ImportWindow(), 0x41).Text, " A=41");
  EXPECT_EQ(prompter_->CallsOf("open").size(), 4u);
  EXPECT_EQ(Texts("message").size(), 1);
}

// The save commands with an unchained pair and an edited IMPORT table.
TEST_F(MenuCommands, SavingAnUnchainedPairSavesTheEditedTable) {
  SelectField(imp_->SourceHex());
  Type("C1");
  Type("A");
  Press(Qt::Key_Return);
  ASSERT_EQ(ImportTable().Target(0xC1), 0x41);
  std::vector<int> import_targets = Unassigned();
  import_targets[0xC1] = 0x41;
  const QString incomplete_import =
      Utf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.");
  const QString incomplete_export =
      Utf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.");
  // V5 keeps unassigned characters unassigned, and says so.
  const QString incomplete_import_v5 =
      Utf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben unzugeordnet.");
  const QString incomplete_export_v5 =
      Utf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben unzugeordnet.");

  // UNIX: only the active IMPORT table, after the warning.
  const QString unix_file = Path("import.tab");
  prompter_->AnswerFile(unix_file);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ..."}));
  EXPECT_EQ(Texts("information"), QStringList({incomplete_import}));
  EXPECT_EQ(DialogTitles(), QStringList({"Tabelle speichern im 'UNIX-Format' ( " + kCourierImport + ")"}));
  EXPECT_EQ(ReadFile(unix_file), Image(import_targets));

  // V3 needs the chain.
  prompter_->Clear();
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Windows QAVO V3 kompatibel (512 Byte) ..."}));
  EXPECT_EQ(Texts("information"), QStringList({"Bitte Tabellen verbinden oder UNIX speichern!"}));
  EXPECT_TRUE(prompter_->CallsOf("save").empty());

  // V5: the active table alone, gaps kept as -1.
  prompter_->Clear();
  const QString v5_file = Path("CTQImport.tab");
  prompter_->AnswerFile(v5_file);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "Windows QAVO V&5 (1088/2176 Bytes) ..."}));
  EXPECT_EQ(Texts("information"), QStringList({incomplete_export_v5, incomplete_import_v5}));
  const auto v5_dialog = prompter_->CallsOf("save");
  ASSERT_EQ(v5_dialog.size(), 1u);
  EXPECT_EQ(v5_dialog[0].Settings.Title, "Tabelle speichern im 'QAVO-UNIX-Format' ( " + kCourierImport + ")");
  EXPECT_EQ(v5_dialog[0].Settings.FileName, "CTQImport");
  EXPECT_EQ(v5_dialog[0].Settings.DefaultExt, "tab");
  const QByteArray v5 = ReadFile(v5_file);
  ASSERT_EQ(v5.size(), 1088);
  ExpectV5Image(v5, 0, 'E', "", import_targets);

  // C into a new file: both incomplete tables are asked about; declining
  // the EXPORT table leaves only the IMPORT declaration.
  prompter_->Clear();
  const QString c_file = Path("tables.h");
  prompter_->AnswerFile(c_file);
  prompter_->AnswerCancel();
  prompter_->AnswerOk();
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&C Header ..."}));
  const QString incomplete = Utf8("\nist unvollständig!\nNicht zugeordnete Zeichen werden 1:1 übersetzt!");
  EXPECT_EQ(Texts("confirm"),
            QStringList({"Tabelle: " + kCourierExport + incomplete, "Tabelle: " + kCourierImport + incomplete}));
  EXPECT_EQ(Texts("information"), QStringList({"EXPORT-Tabelle nicht gespeichert!"}));
  EXPECT_EQ(ReadFile(c_file).toStdString(), Declaration(false, kCourierImport, "Import_", import_targets));

  // Pascal appended to an existing file after the question.
  prompter_->Clear();
  const QString pascal_file = Path("tables.hpp");
  WriteFile(pascal_file, "{ unit head }\n");
  prompter_->AnswerFile(pascal_file);
  prompter_->AnswerOk();
  prompter_->AnswerOk();
  prompter_->AnswerOk();
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Pascal (Delphi) Header ..."}));
  const auto pascal_dialog = prompter_->CallsOf("save");
  ASSERT_EQ(pascal_dialog.size(), 1u);
  EXPECT_EQ(pascal_dialog[0].Settings.Title, "Pascal (Delphi) - Header Datei");
  EXPECT_EQ(pascal_dialog[0].Settings.Filter, "Pascal (Delphi) Header (*.hpp)|*.hpp|Alle (*.*)|*.*");
  EXPECT_EQ(pascal_dialog[0].Settings.DefaultExt, "hpp");
  EXPECT_FALSE(pascal_dialog[0].Settings.OverwritePrompt);
  EXPECT_EQ(Texts("confirm").first(),
            "Datei: " + pascal_file + Utf8(" ist vorhanden!\nNeue Deklaration wird angehängt"));
  EXPECT_EQ(ReadFile(pascal_file).toStdString(), "{ unit head }\n" +
                                                     Declaration(true, kCourierExport, "Export", Unassigned()) +
                                                     Declaration(true, kCourierImport, "Import", import_targets));
}

TEST_F(MenuCommands, DruckenPrintsTheWindowOfTheTableClickedLast) {
  ClickEntry(ImportWindow(), 0x41);
  ASSERT_TRUE(ImportTable().IsActive());
  EXPECT_TRUE(imp_->TargetChar()->hasFocus());

  const QString pdf = Path("import.pdf");
  prompter_->AnswerPrinter(pdf);
  ASSERT_TRUE(Choose({"&Datei", "&Drucken ..."}));
  const QByteArray printed = ReadFile(pdf);
  ASSERT_TRUE(printed.startsWith("%PDF-"));
  EXPECT_EQ(PdfPages(printed), 1);
  EXPECT_EQ(PrintedCaptions(pdf), QStringList{"QAVO CodeTab IMPORT"});
  EXPECT_EQ(prompter_->CallsOf("print").size(), 1u);
}

TEST_F(MenuCommands, BeendenHidesTheWindowsAndEndsTheProgram) {
  bool chosen = false;
  QTimer::singleShot(0, [&] { chosen = Choose({"&Datei", "&Beenden"}); });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  guard.start(10000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(chosen);
  EXPECT_FALSE(TheControl->isVisible());
  EXPECT_FALSE(ExportWindow()->isVisible());
  EXPECT_FALSE(ImportWindow()->isVisible());
}

TEST_F(MenuCommands, ChainingMakesTheEditorsFollowEachOther) {
  ASSERT_TRUE(Choose({"&Bearbeiten", kChain}));
  EXPECT_TRUE(MenuItem({"&Bearbeiten", kChain})->isChecked());
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(TheSession->ChainedColor));
  EXPECT_TRUE(imp_->FollowsOtherTable());
  EXPECT_FALSE(exp_->FollowsOtherTable());

  Type("z");
  Type("A9");
  Press(Qt::Key_Return);
  EXPECT_EQ(ImportTable().Target(0xA9), 'z');
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0xA9), "z", "A9", "7A"}));

  ASSERT_TRUE(Choose({"&Bearbeiten", kChain}));
  EXPECT_FALSE(MenuItem({"&Bearbeiten", kChain})->isChecked());
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(kColorButtonFace));
  EXPECT_FALSE(imp_->FollowsOtherTable());
  Type("y");
  Type("A8");
  Press(Qt::Key_Return);
  EXPECT_EQ(ExportTable().Target('y'), 0xA8);
  EXPECT_EQ(ImportTable().CountAssigned(), 1);
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0xA9), "z", "A9", "7A"}));
}

TEST_F(MenuCommands, TransposingTurnsTheGridAndItsClicks) {
  TableGrid& grid = *ExportWindow()->Grid;
  const auto item = [](int row, int column) { return column * kGridSide + row; };
  EXPECT_EQ(TopLabels(grid), "  00   01   02   03   04   05   06   07   08   09   0A   0B   0C   0D   0E   0F ");

  ASSERT_TRUE(Choose({"&Bearbeiten", "&Zeilen und Spalten vertauschen"}));
  EXPECT_TRUE(MenuItem({"&Bearbeiten", "&Zeilen und Spalten vertauschen"})->isChecked());
  EXPECT_EQ(TopLabels(grid), "  00   10   20   30   40   50   60   70   80   90   A0   B0   C0   D0   E0   F0 ");
  EXPECT_EQ(LeftLabels(*ImportWindow()->Grid),
            "  00   01   02   03   04   05   06   07   08   09   0A   0B   0C   0D   0E   0F ");
  ClickItem(ExportWindow(), item(4, 11));
  EXPECT_EQ(Fields(exp_), QStringList({Shown(0xA3), "", "A3", ""}));
  EXPECT_TRUE(exp_->TargetHex()->hasFocus());
  EXPECT_EQ(MarkedEntry(ExportWindow()), 0xA3);
  // Ctrl+Down steps down a column of the turned grid: the next position.
  Press(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Fields(exp_)[2], "A4");

  ASSERT_TRUE(Choose({"&Bearbeiten", "&Zeilen und Spalten vertauschen"}));
  EXPECT_FALSE(MenuItem({"&Bearbeiten", "&Zeilen und Spalten vertauschen"})->isChecked());
  // The user's click brings the IMPORT window to the front; the choice
  // brings the control window back.
  ImportWindow()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(ImportWindow()));
  ClickItem(ImportWindow(), item(4, 11));
  EXPECT_TRUE(QTest::qWaitForWindowActive(TheControl));
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0x3A), "", "3A", ""}));
  EXPECT_TRUE(imp_->TargetChar()->hasFocus());
  EXPECT_TRUE(ImportTable().IsActive());
  EXPECT_FALSE(ExportTable().IsActive());
  EXPECT_EQ(Fields(exp_), QStringList({"", "", "", ""}));
}

TEST_F(MenuCommands, CopyingInvertsAndAsksBeforeOverwriting) {
  ASSERT_TRUE(Choose({"&Tabelle laden", "&DIN (QAVO WINDOWS Standard)", "&EXPORT (a/e)"}));

  // Into the empty IMPORT table without a question.
  ASSERT_TRUE(Choose({"&Bearbeiten", Utf8("Über&tragen"), "Von &EXPORT nach IMPORT"}));
  EXPECT_TRUE(Texts("confirm").isEmpty());
  EXPECT_EQ(Targets(ImportTable()), Targets(kDinImport));
  EXPECT_EQ(Header(ImportTable()), kCourierImport);
  EXPECT_EQ(Fields(imp_), QStringList({"", "", "00", "00"}));
  ExpectCaptions();

  // Back into the loaded EXPORT table: asked; Abbrechen keeps it.
  prompter_->AnswerCancel();
  ASSERT_TRUE(Choose({"&Bearbeiten", Utf8("Über&tragen"), "Von &IMPORT nach  EXPORT"}));
  EXPECT_EQ(Texts("confirm"), QStringList({Utf8("EXPORT-Tabelle nicht leer!\nÜberschreiben?")}));
  EXPECT_EQ(Header(ExportTable()), kCourierExport + "DIN");

  prompter_->AnswerOk();
  ASSERT_TRUE(Choose({"&Bearbeiten", Utf8("Über&tragen"), "Von &IMPORT nach  EXPORT"}));
  EXPECT_EQ(Targets(ExportTable()), Targets(kDinExport));
  EXPECT_EQ(Header(ExportTable()), kCourierExport);
  ExpectCaptions();

  // An edit makes the IMPORT table ambiguous; copying it back keeps the
  // highest source of each code.
  ClickEntry(ImportWindow(), 0x20);
  Type(" ");
  Press(Qt::Key_Return);
  ASSERT_EQ(ImportTable().Target(0x20), 0x20);
  prompter_->AnswerOk();
  ASSERT_TRUE(Choose({"&Bearbeiten", Utf8("Über&tragen"), "Von &IMPORT nach  EXPORT"}));
  std::vector<int> expected = Targets(kDinExport);
  expected[0x80] = -1;
  EXPECT_EQ(Targets(ExportTable()), expected);
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x80).Color, Resolved(kColorGrayText));
}

TEST_F(MenuCommands, ClearingEmptiesOneOrBothAndKeepsTheChain) {
  ASSERT_TRUE(Choose({"&Tabelle laden", "I&SO 8859-1 CP 37", "&Beide"}));

  ASSERT_TRUE(Choose({"&Bearbeiten", "&Leeren", "&EXPORT Tabelle leeren"}));
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  EXPECT_EQ(Targets(ImportTable()), Targets(kIsoCp37Import));
  EXPECT_EQ(CaptionText(*ExportWindow()), kCourierExport);
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Text, " A=41");
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Color, Resolved(kColorGrayText));
  EXPECT_EQ(Fields(exp_), QStringList({"", "", "00", ""}));
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorButtonShadow));
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());

  ASSERT_TRUE(Choose({"&Bearbeiten", "&Leeren", "&IMPORT Tablee leeren"}));
  EXPECT_EQ(ImportTable().CountAssigned(), 0);
  EXPECT_EQ(CaptionText(*ImportWindow()), kCourierImport);

  ASSERT_TRUE(Choose({"&Tabelle laden", "I&SO 8859-1 CP 37", "&Beide"}));
  ASSERT_TRUE(Choose({"&Bearbeiten", "&Leeren", "&Beide Tabellen leeren"}));
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  EXPECT_EQ(ImportTable().CountAssigned(), 0);
  EXPECT_TRUE(MenuItem({"&Bearbeiten", kChain})->isChecked());
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(TheSession->ChainedColor));
  ExpectCaptions();
}

TEST_F(MenuCommands, FontsShowInLabelCaptionsEditorsAndGrids) {
  const QStringList zeichensatz = {"&Einstellungen", "&Zeichensatz"};
  const struct {
    const char* Item;
    QString Name;
  } fonts[] = {{"WINDOWS MS &Sans Serif", "MS Sans Serif"},
               {"&ANSI (WINDOWS FixedSys)", "Fixedsys"},
               {"WINDOWS &Courier new", "Courier New"}};
  for (const auto& font : fonts) {
    ASSERT_TRUE(Choose(zeichensatz + QStringList{font.Item}));
    EXPECT_EQ(TheControl->CurrentFontLabel->text(), font.Name);
    EXPECT_EQ(TheControl->CurrentFontLabel->font(), TheSession->CurrentFont->ToQFont());
    EXPECT_EQ(CaptionText(*ExportWindow()), "QAVO CodeTab EXPORT [" + font.Name + "] ");
    EXPECT_EQ(CaptionText(*ImportWindow()), "QAVO CodeTab IMPORT [" + font.Name + "] ");
    EXPECT_EQ(exp_->SourceChar()->font(), TheSession->CurrentFont->ToQFont());
    EXPECT_EQ(ExportWindow()->Grid->Cells->font(), TheSession->CurrentFont->ToQFont());
  }

  // Terminal: typed characters become their OEM codes.
  ASSERT_TRUE(Choose(zeichensatz + QStringList{"&OEM (WINDOWS Terminal)"}));
  EXPECT_EQ(TheControl->CurrentFontLabel->text(), "Terminal");
  ClickField(exp_->SourceChar());
  Type(Utf8("ä"));
  EXPECT_EQ(Fields(exp_)[2], "84");

  // The font dialog offers the present font; a tall choice is cut to 12 pixels.
  prompter_->AnswerFont(DisplayFont("DejaVu Sans", -20));
  ASSERT_TRUE(Choose(zeichensatz + QStringList{Utf8("&Zeichensatz wählen ...")}));
  const auto offered = prompter_->CallsOf("font");
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0].Text, "Terminal");
  EXPECT_EQ(TheControl->CurrentFontLabel->text(), "DejaVu Sans");
  EXPECT_EQ(TheSession->CurrentFont->Height, -12);
  EXPECT_EQ(CaptionText(*ExportWindow()), "QAVO CodeTab EXPORT [DejaVu Sans] ");
  ClickField(exp_->SourceChar());
  Type(Utf8("ä"));
  EXPECT_EQ(Fields(exp_)[2], "E4");
}

TEST_F(MenuCommands, ColoursShowWhereTheyBelong) {
  const QStringList farben = {"&Einstellungen", "&Farben"};
  ASSERT_TRUE(Choose({"&Tabelle laden", "&QAVO (UNIX Version Standard)", "&Beide"}));
  ASSERT_TRUE(ExportTable().IsActive());

  prompter_->AnswerColor(QColor(0, 0, 255));
  ASSERT_TRUE(Choose(farben + QStringList{"&Verbundene Tabellen ..."}));
  EXPECT_EQ(Background(TheControl->ChainMargin), QColor(0, 0, 255));

  prompter_->AnswerColor(QColor(0, 255, 255));
  ASSERT_TRUE(Choose(farben + QStringList{"&Aktiviert ..."}));
  ClickField(exp_->SourceChar());
  EXPECT_EQ(Background(exp_->Border()), QColor(0, 255, 255));
  EXPECT_EQ(ShownBorder(*ExportWindow()->Grid), QColor(0, 255, 255));

  prompter_->AnswerColor(QColor(0, 0, 128));
  ASSERT_TRUE(Choose(farben + QStringList{"&Eindeutige Zuordnung ..."}));
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Color, QColor(0, 0, 128));
  EXPECT_EQ(DrawnEntry(ImportWindow(), 0xC1).Color, QColor(0, 0, 128));

  prompter_->AnswerColor(QColor(255, 128, 0));
  ASSERT_TRUE(Choose(farben + QStringList{"&Mehrfach-Zuordnung ..."}));
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x80).Color, QColor(255, 128, 0));
  EXPECT_EQ(DrawnEntry(ImportWindow(), 0x3F).Color, QColor(255, 128, 0));
  ClickField(exp_->SourceChar());
  Type(Utf8("€"));
  EXPECT_EQ(Fields(exp_)[2], "80");
  EXPECT_EQ(Background(exp_->InputBox()), QColor(255, 128, 0));

  // Each dialog was loaded with the colour in force.
  const auto dialogs = prompter_->CallsOf("color");
  ASSERT_EQ(dialogs.size(), 4u);
  EXPECT_EQ(dialogs[0].Text, "#ff00ff");
  EXPECT_EQ(dialogs[1].Text, "#ff00ff");
  EXPECT_EQ(dialogs[2].Text, "#008000");
  EXPECT_EQ(dialogs[3].Text, "#ff0000");
}

TEST_F(MenuCommands, WindowsAreHiddenAndShownWithTheirCaptions) {
  const QString fenster = "&Fenster";
  ASSERT_TRUE(Choose({fenster, "Export-Tabellenfenster verbergen"}));
  EXPECT_FALSE(ExportWindow()->isVisible());
  EXPECT_TRUE(ImportWindow()->isVisible());
  QAction* both = MenuItem({fenster, "&Beide Tabellen zeigen / verbergen"});
  ASSERT_NE(both, nullptr);
  EXPECT_FALSE(both->isEnabled());
  EXPECT_FALSE(Choose({fenster, "&Beide Tabellen zeigen / verbergen"}));
  EXPECT_FALSE(ExportWindow()->isVisible());

  ASSERT_TRUE(Choose({fenster, "Export-Tabellenfenster zeigen"}));
  EXPECT_TRUE(ExportWindow()->isVisible());
  ASSERT_TRUE(Choose({fenster, "&Beide Tabellen verbergen"}));
  EXPECT_FALSE(ExportWindow()->isVisible());
  EXPECT_FALSE(ImportWindow()->isVisible());
  EXPECT_EQ(MenuItem({fenster})->menu()->actions().at(1)->text(), "Export-Tabellenfenster zeigen");
  EXPECT_EQ(MenuItem({fenster})->menu()->actions().at(2)->text(), "Import-Tabellenfenster zeigen");
  ASSERT_TRUE(Choose({fenster, "&Beide Tabellen zeigen"}));
  EXPECT_TRUE(ExportWindow()->isVisible());
  EXPECT_TRUE(ImportWindow()->isVisible());

  // A window closed by its close box: the items follow at once, and one
  // choice brings it back.
  ImportWindow()->close();
  EXPECT_FALSE(MenuItem({fenster, "Import-Tabellenfenster zeigen"})->isChecked());
  ASSERT_TRUE(Choose({fenster, "Import-Tabellenfenster zeigen"}));
  EXPECT_TRUE(ImportWindow()->isVisible());
  EXPECT_TRUE(MenuItem({fenster, "&Beide Tabellen verbergen"})->isChecked());
}

// Opens a pipe for writing now and then, so that a reader stuck waiting
// for a writer is let go and the test fails instead of hanging.
class PipeRelease {
 public:
  explicit PipeRelease(const QString& pipe)
      : thread_([this, name = pipe.toStdString()] {
          std::unique_lock<std::mutex> lock(mutex_);
          while (!done_.wait_for(lock, std::chrono::seconds(3), [this] { return finished_; })) {
            const int fd = ::open(name.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
          }
        }) {}
  ~PipeRelease() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finished_ = true;
    }
    done_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

TEST_F(MenuCommands, APipeIsNeitherReadNorAppendedTo) {
  const QString pipe = Path("pipe.tab");
  ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  PipeRelease release(pipe);

  prompter_->AnswerFile(pipe);
  ASSERT_TRUE(Choose({"&Tabelle laden", "&Aus Datei", "&automatische Erkennung ..."}));
  EXPECT_EQ(
      Texts("fileerror"),
      QStringList({"Can't perform one of the following file operations: Open, Seek, Read, Close.\nDatei: " + pipe}));
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
  EXPECT_EQ(ImportTable().CountAssigned(), 0);

  prompter_->Clear();
  prompter_->AnswerFile(pipe);
  prompter_->AnswerOk();
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&C Header ..."}));
  const QString not_written = "Datei: " + pipe + "\nkonnte nicht geschrieben werden (keine reguläre Datei)!\n";
  EXPECT_EQ(Texts("information"), QStringList({not_written + "EXPORT-Tabelle nicht gespeichert!",
                                               not_written + "IMPORT-Tabelle nicht gespeichert!"}));
  EXPECT_TRUE(QFileInfo(pipe).exists());
  EXPECT_FALSE(QFileInfo(pipe).isFile());
}

TEST_F(MenuCommands, HilfeAndInfo) {
  ASSERT_TRUE(Choose({"&?", "&Hilfe"}));
  QTextBrowser* help = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "HelpViewer" && widget->isVisible()) help = qobject_cast<QTextBrowser*>(widget);
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->source().toString(), "qrc:/help/index.html");
  help->close();

  ASSERT_TRUE(Choose({"&?", "&Info"}));
  const auto about = prompter_->CallsOf("about");
  ASSERT_EQ(about.size(), 1u);
  EXPECT_EQ(about[0].Title, "Info");
  EXPECT_TRUE(about[0].Text.startsWith("QAVO Code Table Editor\nVersion "));
}

}  // namespace
}  // namespace acceptance
