// Two whole sessions through the menu, the keyboard and the files: the road
// of one edit, and a user's day from a preset pair to files and back.
#include "model/presets.h"
#include "support/acceptance.h"

namespace acceptance {
namespace {

using Session = Acceptance;

const QString CourierExport = "QAVO CodeTab EXPORT [Courier New] ";
const QString CourierImport = "QAVO CodeTab IMPORT [Courier New] ";

TEST_F(Session, RoadOfOneEdit) {
  ASSERT_TRUE(Choose({"&Bearbeiten", "Tabellen &verbinden"}));
  EXPECT_TRUE(MenuItem({"&Bearbeiten", "Tabellen &verbinden"})->isChecked());
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(TheSession->ChainedColor));
  ASSERT_TRUE(exp->SourceChar()->hasFocus());
  ASSERT_TRUE(exportTable().IsActive());

  // 1. The character A: position 41 is current, the focus goes to the
  // target hex field, and the partner shows the same position, unassigned.
  Type("A");
  EXPECT_EQ(exportTable().CurrentPosition(), 0x41);
  EXPECT_EQ(Fields(exp), QStringList({"A", "", "41", ""}));
  EXPECT_TRUE(exp->TargetHex()->hasFocus());
  EXPECT_EQ(Fields(imp), QStringList({"A", "", "41", ""}));
  EXPECT_EQ(Background(exp->InputBox()), Resolved(kColorButtonShadow));

  // 2. C1 and Enter: assigned, mirrored, the focus back in the source field.
  Type("C1");
  EXPECT_EQ(Fields(exp), QStringList({"A", Shown(0xC1), "41", "C1"}));
  Press(Qt::Key_Return);
  EXPECT_EQ(exportTable().Target(0x41), 0xC1);
  EXPECT_EQ(importTable().Target(0xC1), 0x41);
  EXPECT_EQ(exportTable().CountAssigned(), 1);
  EXPECT_EQ(importTable().CountAssigned(), 1);
  EXPECT_TRUE(exp->SourceChar()->hasFocus());

  // 3. Both editors and both grids follow, in the proof colour.
  const QColor proof = Resolved(TheSession->ProofColor);
  EXPECT_EQ(Fields(exp), QStringList({"A", Shown(0xC1), "41", "C1"}));
  EXPECT_EQ(Fields(imp), QStringList({Shown(0xC1), "A", "C1", "41"}));
  EXPECT_EQ(Background(exp->InputBox()), proof);
  EXPECT_EQ(Background(imp->InputBox()), proof);
  EXPECT_EQ(Background(exp->Border()), Resolved(TheSession->ActiveColor));
  EXPECT_EQ(Background(imp->Border()), Resolved(kColorButtonFace));
  const ShownCell exportCell = DrawnEntry(exportWindow(), 0x41);
  EXPECT_EQ(exportCell.Text, " A:C1");
  EXPECT_EQ(exportCell.Color, proof);
  const ShownCell importCell = DrawnEntry(importWindow(), 0xC1);
  EXPECT_EQ(importCell.Text, " A=41");
  EXPECT_EQ(importCell.Color, proof);
  EXPECT_EQ(DrawnEntry(exportWindow(), 0x42).Color, Resolved(kColorGrayText));
  EXPECT_EQ(MarkedEntry(exportWindow()), 0x41);
  EXPECT_EQ(MarkedEntry(importWindow()), 0xC1);
  EXPECT_EQ(CaptionText(*exportWindow()), CourierExport);
  EXPECT_EQ(CaptionText(*importWindow()), CourierImport);

  // 4. Saved as Windows V3: both incomplete tables are only warned about;
  // IMPORT first, every unassigned position written as itself.
  const QString file = path("ctwx2x.tab");
  prompter->AnswerFile(file);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Windows QAVO V3 kompatibel (512 Byte) ..."}));
  EXPECT_EQ(Texts("information"),
            QStringList({Utf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1."),
                         Utf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.")}));
  std::vector<int> exportTargets = Unassigned(), importTargets = Unassigned();
  exportTargets[0x41] = 0xC1;
  importTargets[0xC1] = 0x41;
  EXPECT_EQ(ReadFile(file), Image(importTargets) + Image(exportTargets));
}

// The saved state of the pair after the three edits of the session below:
// CP 273 with A and B trading their codes, and EBCDIC 4A read as a small ä.
struct EditedPair {
  std::vector<int> Export = Targets(IsoCp273Export);
  std::vector<int> Import = Targets(IsoCp273Import);
  EditedPair() {
    Export[0x41] = 0xC2;
    Export[0x42] = 0xC1;
    Import = Inverse(Export);
    Import[0x4A] = 0xE4;
  }
};

class UserSession : public Acceptance {
 protected:
  void ClearBoth() {
    ASSERT_TRUE(Choose({"&Bearbeiten", "&Leeren", "&Beide Tabellen leeren"}));
    ASSERT_EQ(exportTable().CountAssigned(), 0);
    ASSERT_EQ(importTable().CountAssigned(), 0);
  }
  void LoadAutomatically(const QString& file) {
    prompter->AnswerFile(file);
    ASSERT_TRUE(Choose({"&Tabelle laden", "&Aus Datei", "&automatische Erkennung ..."}));
  }
  // A table as loaded back: the saved targets with their counts.
  void ExpectTable(const CodeTable& table, const std::vector<int>& targets) const {
    EXPECT_EQ(Targets(table), targets);
    EXPECT_EQ(Counts(table), CountsOf(targets));
  }
  // What a table loaded from a file is called: the file's name after the
  // kind and font, cut to 64 characters.
  static QString NamedAfter(const QString& start, const QString& file) { return (start + file).left(64); }
};

TEST_F(UserSession, PresetEditPrintSaveClearAndLoadBack) {
  const EditedPair edited;

  // Start and "&Beide" of CP 273.
  ASSERT_TRUE(Choose({"&Tabelle laden", "&ISO 8859-1 CP 273", "&Beide"}));
  ExpectTable(exportTable(), Targets(IsoCp273Export));
  ExpectTable(importTable(), Targets(IsoCp273Import));
  EXPECT_EQ(CaptionText(*exportWindow()), CourierExport + "ISO8859-1_CP273");
  EXPECT_EQ(CaptionText(*importWindow()), CourierImport + "CP273_ISO8859-1");
  EXPECT_TRUE(MenuItem({"&Bearbeiten", "Tabellen &verbinden"})->isChecked());

  // Edit 1: A to C2, the code of B, which makes C2 ambiguous; not mirrored.
  ClickField(exp->SourceChar());
  Type("A");
  EXPECT_EQ(Fields(exp), QStringList({"A", Shown(0xC1), "41", "C1"}));
  EXPECT_EQ(Fields(imp), QStringList({Shown(0xC1), "A", "C1", "41"}));
  Type("C2");
  Press(Qt::Key_Return);
  EXPECT_EQ(Background(exp->InputBox()), Resolved(TheSession->AmbiguousColor));
  EXPECT_EQ(DrawnEntry(exportWindow(), 0x42).Color, Resolved(TheSession->AmbiguousColor));
  EXPECT_EQ(importTable().Target(0xC2), 0x42);
  EXPECT_EQ(CaptionText(*exportWindow()), CourierExport);

  // Edit 2: B to C1, now free: mirrored, and the IMPORT table is rebuilt as
  // the exact inverse of the unambiguous EXPORT table.
  Type("B");
  Type("C1");
  Press(Qt::Key_Return);
  EXPECT_EQ(Targets(exportTable()), edited.Export);
  EXPECT_EQ(Targets(importTable()), Inverse(edited.Export));
  EXPECT_EQ(exportTable().IsProven(CodeTable::kWholeTable), 1);
  EXPECT_EQ(CaptionText(*importWindow()), CourierImport);

  // Edit 3, in the IMPORT editor: EBCDIC 4A (the Ä of CP 273) typed as hex,
  // the small ä typed as its target; ä already has a source, so the EXPORT
  // table is left alone.
  SelectField(imp->SourceHex());
  EXPECT_TRUE(importTable().IsActive());
  EXPECT_FALSE(exportTable().IsActive());
  Type("4A");
  EXPECT_TRUE(imp->TargetChar()->hasFocus());
  EXPECT_EQ(Fields(imp), QStringList({Shown(0x4A), Utf8("Ä"), "4A", "C4"}));
  EXPECT_EQ(Fields(exp), QStringList({Utf8("Ä"), Shown(0x4A), "C4", "4A"}));
  Type(Utf8("ä"));
  EXPECT_EQ(Fields(imp), QStringList({Shown(0x4A), Utf8("ä"), "4A", "E4"}));
  Press(Qt::Key_Return);
  EXPECT_TRUE(imp->SourceHex()->hasFocus());
  ExpectTable(exportTable(), edited.Export);
  ExpectTable(importTable(), edited.Import);
  EXPECT_EQ(DrawnEntry(importWindow(), 0x4A).Text, Utf8(" ä=E4"));
  EXPECT_EQ(DrawnEntry(importWindow(), 0x4A).Color, Resolved(TheSession->AmbiguousColor));
  EXPECT_EQ(DrawnEntry(importWindow(), 0xC0).Color, Resolved(TheSession->AmbiguousColor));

  // "&Drucken ..." to a PDF: one page with both windows.
  const QString pdf = path("tables.pdf");
  prompter->AnswerPrinter(pdf);
  ASSERT_TRUE(Choose({"&Datei", "&Drucken ..."}));
  const QByteArray printed = ReadFile(pdf);
  ASSERT_TRUE(printed.startsWith("%PDF-"));
  EXPECT_EQ(PdfPages(printed), 1);
  EXPECT_EQ(PrintedCaptions(pdf), QStringList({"QAVO CodeTab EXPORT", "QAVO CodeTab IMPORT"}));

  // Saved in all five formats; complete tables are saved without a warning.
  prompter->Clear();
  const QString unixExport = path("CTUExport.tab");
  const QString unixImport = path("CTUImport.tab");
  const QString v3 = path("CTWX2X.tab");
  const QString v5 = path("CTQX2X.qct");
  const QString cHeader = path("tables.h");
  const QString pascalHeader = path("tables.hpp");
  prompter->AnswerFile(unixExport);
  prompter->AnswerFile(unixImport);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ..."}));
  prompter->AnswerFile(v3);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Windows QAVO V3 kompatibel (512 Byte) ..."}));
  prompter->AnswerFile(v5);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "Windows QAVO V&5 (1088/2176 Bytes) ..."}));
  prompter->AnswerFile(cHeader);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&C Header ..."}));
  prompter->AnswerFile(pascalHeader);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Pascal (Delphi) Header ..."}));

  EXPECT_TRUE(Texts("information").isEmpty());
  EXPECT_TRUE(Texts("confirm").isEmpty());
  EXPECT_EQ(DialogTitles(),
            QStringList({"Tabelle speichern im 'UNIX-Format' ( " + CourierExport + ")",
                         "Tabelle speichern im 'UNIX-Format' ( " + CourierImport + ")",
                         "Tabelle speichern im 'QAVO-WINDOWS-Format' ( " + CourierImport + ")",
                         "Tabelle gemeinsam speichern im 'QAVO-WINDOWS-Format' ( " + CourierExport + ")",
                         "C - Header Datei", "Pascal (Delphi) - Header Datei"}));
  const auto saves = prompter->CallsOf("save");
  ASSERT_EQ(saves.size(), 6u);
  const QStringList proposed = {"CTUExport", "CTUImport", "CTWX2X", "CTQX2X", "", ""};
  const QStringList extensions = {"tab", "tab", "tab", "qct", "h", "hpp"};
  const QStringList filters = {"QAVO Codetabelle (*.tab)|*.tab|Alle (*.*)|*.*",
                               "QAVO Codetabelle (*.tab)|*.tab|Alle (*.*)|*.*",
                               "QAVO Codetabelle (*.atb)|*.tab|Alle (*.*)|*.*",
                               "QAVO5 Codetabelle (*.qct)|*.qct|Alle (*.*)|*.*",
                               "C Header (*.h)|*.h|Alle (*.*)|*.*",
                               "Pascal (Delphi) Header (*.hpp)|*.hpp|Alle (*.*)|*.*"};
  for (size_t i = 0; i < saves.size(); ++i) {
    const FileDialogSettings& dialog = saves[i].Settings;
    EXPECT_EQ(dialog.FileName, proposed[i]) << i;
    EXPECT_EQ(dialog.DefaultExt, extensions[i]) << i;
    EXPECT_EQ(dialog.Filter, filters[i]) << i;
    EXPECT_EQ(dialog.FilterIndex, 1) << i;
    EXPECT_EQ(dialog.OverwritePrompt, i < 4) << i;
  }

  EXPECT_EQ(ReadFile(unixExport), Image(edited.Export));
  EXPECT_EQ(ReadFile(unixImport), Image(edited.Import));
  EXPECT_EQ(ReadFile(v3), Image(edited.Import) + Image(edited.Export));
  const QByteArray v5Bytes = ReadFile(v5);
  ASSERT_EQ(v5Bytes.size(), 2176);
  ExpectV5Image(v5Bytes, 0, 'A', "", edited.Export);
  ExpectV5Image(v5Bytes, 1088, 'E', "", edited.Import);
  EXPECT_EQ(ReadFile(cHeader).toStdString(), Declaration(false, CourierExport, "Export_", edited.Export) +
                                                 Declaration(false, CourierImport, "Import_", edited.Import));
  EXPECT_EQ(ReadFile(pascalHeader).toStdString(), Declaration(true, CourierExport, "Export", edited.Export) +
                                                      Declaration(true, CourierImport, "Import", edited.Import));

  // "&Beide Tabellen leeren": both empty, still chained; the editors keep
  // their positions but show no target, the grids only grey "=" cells.
  ClearBoth();
  EXPECT_TRUE(MenuItem({"&Bearbeiten", "Tabellen &verbinden"})->isChecked());
  EXPECT_EQ(exportTable().Partner(), &importTable());
  EXPECT_EQ(CaptionText(*exportWindow()), CourierExport);
  EXPECT_EQ(CaptionText(*importWindow()), CourierImport);
  EXPECT_EQ(Fields(imp), QStringList({Shown(0x4A), "", "4A", ""}));
  EXPECT_EQ(Background(imp->InputBox()), Resolved(kColorButtonShadow));
  EXPECT_EQ(DrawnEntry(exportWindow(), 0x41).Text, " A=41");
  EXPECT_EQ(DrawnEntry(exportWindow(), 0x41).Color, Resolved(kColorGrayText));

  // Each binary file loaded back gives what was saved.
  prompter->Clear();
  LoadAutomatically(unixExport);
  ExpectTable(exportTable(), edited.Export);
  ExpectTable(importTable(), Unassigned());
  EXPECT_EQ(Header(exportTable()), NamedAfter(CourierExport, unixExport));

  ClearBoth();
  LoadAutomatically(unixImport);
  ExpectTable(exportTable(), Unassigned());
  ExpectTable(importTable(), edited.Import);
  EXPECT_EQ(Header(importTable()), NamedAfter(CourierImport, unixImport));

  ClearBoth();
  LoadAutomatically(v3);
  ExpectTable(exportTable(), edited.Export);
  ExpectTable(importTable(), edited.Import);
  EXPECT_EQ(Header(exportTable()), NamedAfter(CourierExport, v3));
  EXPECT_EQ(Header(importTable()), NamedAfter(CourierImport, v3));

  ClearBoth();
  LoadAutomatically(v5);
  ExpectTable(exportTable(), edited.Export);
  ExpectTable(importTable(), edited.Import);
  EXPECT_EQ(Header(exportTable()), CourierExport);
  EXPECT_EQ(Header(importTable()), CourierImport);
  ExpectCaptions();
  EXPECT_TRUE(Texts("message").isEmpty());
  EXPECT_EQ(exportTable().Partner(), &importTable());

  // The loaded pair shows as it did before it was saved.
  EXPECT_EQ(DrawnEntry(exportWindow(), 0x41).Text, " A:C2");
  EXPECT_EQ(DrawnEntry(exportWindow(), 0x41).Color, Resolved(TheSession->ProofColor));
  EXPECT_EQ(DrawnEntry(importWindow(), 0x4A).Color, Resolved(TheSession->AmbiguousColor));

  // The source headers are no table files: refused by their length.
  const qint64 cLength = QFile(cHeader).size();
  LoadAutomatically(cHeader);
  EXPECT_EQ(Texts("message"),
            QStringList({Utf8("Datei nicht erkannt: falsche Länge ") + QString::number(cLength) +
                         "\nDatei: " + cHeader + "\nTabellendateien haben 256, 512, 1088 oder 2176 Bytes."}));
  ExpectTable(exportTable(), edited.Export);
}

}  // namespace
}  // namespace acceptance
