// Two whole sessions through the menu, the keyboard and the files: the road
// of one edit, and a user's day from a preset pair to files and back.
#include "model/presets.h"
#include "support/acceptance.h"

namespace acceptance {
namespace {

using Session = Acceptance;

const QString kCourierExport = "QAVO CodeTab EXPORT [Courier New] ";
const QString kCourierImport = "QAVO CodeTab IMPORT [Courier New] ";

TEST_F(Session, RoadOfOneEdit) {
  ASSERT_TRUE(Choose({"&Bearbeiten", "Tabellen &verbinden"}));
  EXPECT_TRUE(MenuItem({"&Bearbeiten", "Tabellen &verbinden"})->isChecked());
  EXPECT_EQ(Background(TheControl->ChainMargin), Resolved(TheSession->ChainedColor));
  ASSERT_TRUE(exp_->SourceChar()->hasFocus());
  ASSERT_TRUE(ExportTable().IsActive());

  // 1. The character A: position 41 is current, the focus goes to the
  // target hex field, and the partner shows the same position, unassigned.
  Type("A");
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x41);
  EXPECT_EQ(Fields(exp_), QStringList({"A", "", "41", ""}));
  EXPECT_TRUE(exp_->TargetHex()->hasFocus());
  EXPECT_EQ(Fields(imp_), QStringList({"A", "", "41", ""}));
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(kColorButtonShadow));

  // 2. C1 and Enter: assigned, mirrored, the focus back in the source field.
  Type("C1");
  EXPECT_EQ(Fields(exp_), QStringList({"A", Shown(0xC1), "41", "C1"}));
  Press(Qt::Key_Return);
  EXPECT_EQ(ExportTable().Target(0x41), 0xC1);
  EXPECT_EQ(ImportTable().Target(0xC1), 0x41);
  EXPECT_EQ(ExportTable().CountAssigned(), 1);
  EXPECT_EQ(ImportTable().CountAssigned(), 1);
  EXPECT_TRUE(exp_->SourceChar()->hasFocus());

  // 3. Both editors and both grids follow, in the proof colour.
  const QColor proof = Resolved(TheSession->ProofColor);
  EXPECT_EQ(Fields(exp_), QStringList({"A", Shown(0xC1), "41", "C1"}));
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0xC1), "A", "C1", "41"}));
  EXPECT_EQ(Background(exp_->InputBox()), proof);
  EXPECT_EQ(Background(imp_->InputBox()), proof);
  EXPECT_EQ(Background(exp_->Border()), Resolved(TheSession->ActiveColor));
  EXPECT_EQ(Background(imp_->Border()), Resolved(kColorButtonFace));
  const ShownCell export_cell = DrawnEntry(ExportWindow(), 0x41);
  EXPECT_EQ(export_cell.Text, " A:C1");
  EXPECT_EQ(export_cell.Color, proof);
  const ShownCell import_cell = DrawnEntry(ImportWindow(), 0xC1);
  EXPECT_EQ(import_cell.Text, " A=41");
  EXPECT_EQ(import_cell.Color, proof);
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x42).Color, Resolved(kColorGrayText));
  EXPECT_EQ(MarkedEntry(ExportWindow()), 0x41);
  EXPECT_EQ(MarkedEntry(ImportWindow()), 0xC1);
  EXPECT_EQ(CaptionText(*ExportWindow()), kCourierExport);
  EXPECT_EQ(CaptionText(*ImportWindow()), kCourierImport);

  // 4. Saved as Windows V3: both incomplete tables are only warned about;
  // IMPORT first, every unassigned position written as itself.
  const QString file = Path("ctwx2x.tab");
  prompter_->AnswerFile(file);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Windows QAVO V3 kompatibel (512 Byte) ..."}));
  EXPECT_EQ(Texts("information"),
            QStringList({Utf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1."),
                         Utf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.")}));
  std::vector<int> export_targets = Unassigned(), import_targets = Unassigned();
  export_targets[0x41] = 0xC1;
  import_targets[0xC1] = 0x41;
  EXPECT_EQ(ReadFile(file), Image(import_targets) + Image(export_targets));
}

// The saved state of the pair after the three edits of the session below:
// CP 273 with A and B trading their codes, and EBCDIC 4A read as a small ä.
struct EditedPair {
  std::vector<int> Export = Targets(kIsoCp273Export);
  std::vector<int> Import = Targets(kIsoCp273Import);
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
    ASSERT_EQ(ExportTable().CountAssigned(), 0);
    ASSERT_EQ(ImportTable().CountAssigned(), 0);
  }
  void LoadAutomatically(const QString& file) {
    prompter_->AnswerFile(file);
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
  ExpectTable(ExportTable(), Targets(kIsoCp273Export));
  ExpectTable(ImportTable(), Targets(kIsoCp273Import));
  EXPECT_EQ(CaptionText(*ExportWindow()), kCourierExport + "ISO8859-1_CP273");
  EXPECT_EQ(CaptionText(*ImportWindow()), kCourierImport + "CP273_ISO8859-1");
  EXPECT_TRUE(MenuItem({"&Bearbeiten", "Tabellen &verbinden"})->isChecked());

  // Edit 1: A to C2, the code of B, which makes C2 ambiguous; not mirrored.
  ClickField(exp_->SourceChar());
  Type("A");
  EXPECT_EQ(Fields(exp_), QStringList({"A", Shown(0xC1), "41", "C1"}));
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0xC1), "A", "C1", "41"}));
  Type("C2");
  Press(Qt::Key_Return);
  EXPECT_EQ(Background(exp_->InputBox()), Resolved(TheSession->AmbiguousColor));
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x42).Color, Resolved(TheSession->AmbiguousColor));
  EXPECT_EQ(ImportTable().Target(0xC2), 0x42);
  EXPECT_EQ(CaptionText(*ExportWindow()), kCourierExport);

  // Edit 2: B to C1, now free: mirrored, and the IMPORT table is rebuilt as
  // the exact inverse of the unambiguous EXPORT table.
  Type("B");
  Type("C1");
  Press(Qt::Key_Return);
  EXPECT_EQ(Targets(ExportTable()), edited.Export);
  EXPECT_EQ(Targets(ImportTable()), Inverse(edited.Export));
  EXPECT_EQ(ExportTable().IsProven(CodeTable::kWholeTable), 1);
  EXPECT_EQ(CaptionText(*ImportWindow()), kCourierImport);

  // Edit 3, in the IMPORT editor: EBCDIC 4A (the Ä of CP 273) typed as hex,
  // the small ä typed as its target; ä already has a source, so the EXPORT
  // table is left alone.
  SelectField(imp_->SourceHex());
  EXPECT_TRUE(ImportTable().IsActive());
  EXPECT_FALSE(ExportTable().IsActive());
  Type("4A");
  EXPECT_TRUE(imp_->TargetChar()->hasFocus());
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0x4A), Utf8("Ä"), "4A", "C4"}));
  EXPECT_EQ(Fields(exp_), QStringList({Utf8("Ä"), Shown(0x4A), "C4", "4A"}));
  Type(Utf8("ä"));
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0x4A), Utf8("ä"), "4A", "E4"}));
  Press(Qt::Key_Return);
  EXPECT_TRUE(imp_->SourceHex()->hasFocus());
  ExpectTable(ExportTable(), edited.Export);
  ExpectTable(ImportTable(), edited.Import);
  EXPECT_EQ(DrawnEntry(ImportWindow(), 0x4A).Text, Utf8(" ä=E4"));
  EXPECT_EQ(DrawnEntry(ImportWindow(), 0x4A).Color, Resolved(TheSession->AmbiguousColor));
  EXPECT_EQ(DrawnEntry(ImportWindow(), 0xC0).Color, Resolved(TheSession->AmbiguousColor));

  // "&Drucken ..." to a PDF: one page with both windows.
  const QString pdf = Path("tables.pdf");
  prompter_->AnswerPrinter(pdf);
  ASSERT_TRUE(Choose({"&Datei", "&Drucken ..."}));
  const QByteArray printed = ReadFile(pdf);
  ASSERT_TRUE(printed.startsWith("%PDF-"));
  EXPECT_EQ(PdfPages(printed), 1);
  EXPECT_EQ(PrintedCaptions(pdf), QStringList({"QAVO CodeTab EXPORT", "QAVO CodeTab IMPORT"}));

  // Saved in all five formats; complete tables are saved without a warning.
  prompter_->Clear();
  const QString unix_export = Path("CTUExport.tab");
  const QString unix_import = Path("CTUImport.tab");
  const QString v3 = Path("CTWX2X.tab");
  const QString v5 = Path("CTQX2X.qct");
  const QString c_header = Path("tables.h");
  const QString pascal_header = Path("tables.hpp");
  prompter_->AnswerFile(unix_export);
  prompter_->AnswerFile(unix_import);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "QAVO &UNIX-kompatible (256 Byte + 256 Byte) ..."}));
  prompter_->AnswerFile(v3);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Windows QAVO V3 kompatibel (512 Byte) ..."}));
  prompter_->AnswerFile(v5);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "Windows QAVO V&5 (1088/2176 Bytes) ..."}));
  prompter_->AnswerFile(c_header);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&C Header ..."}));
  prompter_->AnswerFile(pascal_header);
  ASSERT_TRUE(Choose({"&Datei", "&Speichern", "&Pascal (Delphi) Header ..."}));

  EXPECT_TRUE(Texts("information").isEmpty());
  EXPECT_TRUE(Texts("confirm").isEmpty());
  EXPECT_EQ(DialogTitles(),
            QStringList({"Tabelle speichern im 'UNIX-Format' ( " + kCourierExport + ")",
                         "Tabelle speichern im 'UNIX-Format' ( " + kCourierImport + ")",
                         "Tabelle speichern im 'QAVO-WINDOWS-Format' ( " + kCourierImport + ")",
                         "Tabelle gemeinsam speichern im 'QAVO-WINDOWS-Format' ( " + kCourierExport + ")",
                         "C - Header Datei", "Pascal (Delphi) - Header Datei"}));
  const auto saves = prompter_->CallsOf("save");
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

  EXPECT_EQ(ReadFile(unix_export), Image(edited.Export));
  EXPECT_EQ(ReadFile(unix_import), Image(edited.Import));
  EXPECT_EQ(ReadFile(v3), Image(edited.Import) + Image(edited.Export));
  const QByteArray v5_bytes = ReadFile(v5);
  ASSERT_EQ(v5_bytes.size(), 2176);
  ExpectV5Image(v5_bytes, 0, 'A', "", edited.Export);
  ExpectV5Image(v5_bytes, 1088, 'E', "", edited.Import);
  EXPECT_EQ(ReadFile(c_header).toStdString(), Declaration(false, kCourierExport, "Export_", edited.Export) +
                                                  Declaration(false, kCourierImport, "Import_", edited.Import));
  EXPECT_EQ(ReadFile(pascal_header).toStdString(), Declaration(true, kCourierExport, "Export", edited.Export) +
                                                       Declaration(true, kCourierImport, "Import", edited.Import));

  // "&Beide Tabellen leeren": both empty, still chained; the editors keep
  // their positions but show no target, the grids only grey "=" cells.
  ClearBoth();
  EXPECT_TRUE(MenuItem({"&Bearbeiten", "Tabellen &verbinden"})->isChecked());
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_EQ(CaptionText(*ExportWindow()), kCourierExport);
  EXPECT_EQ(CaptionText(*ImportWindow()), kCourierImport);
  EXPECT_EQ(Fields(imp_), QStringList({Shown(0x4A), "", "4A", ""}));
  EXPECT_EQ(Background(imp_->InputBox()), Resolved(kColorButtonShadow));
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Text, " A=41");
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Color, Resolved(kColorGrayText));

  // Each binary file loaded back gives what was saved.
  prompter_->Clear();
  LoadAutomatically(unix_export);
  ExpectTable(ExportTable(), edited.Export);
  ExpectTable(ImportTable(), Unassigned());
  EXPECT_EQ(Header(ExportTable()), NamedAfter(kCourierExport, unix_export));

  ClearBoth();
  LoadAutomatically(unix_import);
  ExpectTable(ExportTable(), Unassigned());
  ExpectTable(ImportTable(), edited.Import);
  EXPECT_EQ(Header(ImportTable()), NamedAfter(kCourierImport, unix_import));

  ClearBoth();
  LoadAutomatically(v3);
  ExpectTable(ExportTable(), edited.Export);
  ExpectTable(ImportTable(), edited.Import);
  EXPECT_EQ(Header(ExportTable()), NamedAfter(kCourierExport, v3));
  EXPECT_EQ(Header(ImportTable()), NamedAfter(kCourierImport, v3));

  ClearBoth();
  LoadAutomatically(v5);
  ExpectTable(ExportTable(), edited.Export);
  ExpectTable(ImportTable(), edited.Import);
  EXPECT_EQ(Header(ExportTable()), kCourierExport);
  EXPECT_EQ(Header(ImportTable()), kCourierImport);
  ExpectCaptions();
  EXPECT_TRUE(Texts("message").isEmpty());
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());

  // The loaded pair shows as it did before it was saved.
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Text, " A:C2");
  EXPECT_EQ(DrawnEntry(ExportWindow(), 0x41).Color, Resolved(TheSession->ProofColor));
  EXPECT_EQ(DrawnEntry(ImportWindow(), 0x4A).Color, Resolved(TheSession->AmbiguousColor));

  // The source headers are no table files: refused by their length.
  const qint64 c_length = QFile(c_header).size();
  LoadAutomatically(c_header);
  EXPECT_EQ(Texts("message"),
            QStringList({Utf8("Datei nicht erkannt: falsche Länge ") + QString::number(c_length) +
                         "\nDatei: " + c_header + "\nTabellendateien haben 256, 512, 1088 oder 2176 Bytes."}));
  ExpectTable(ExportTable(), edited.Export);
}

}  // namespace
}  // namespace acceptance
