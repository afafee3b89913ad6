// Comparing the active table with DIN and with table files: the list of
// differences, "Keine Unterschiede", choosing a row, and refused files.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "files/formats.h"
#include "model/presets.h"
#include "support/drawncells.h"
#include "support/session.h"
#include "support/tablefiles.h"
#include "ui/differencelist.h"
#include "ui/entryeditor.h"
#include "ui/tablewindow.h"

namespace {

const QString kNoDifferences = "Keine Unterschiede";

QByteArray Bytes(const std::vector<uint8_t>& image) {
  return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<int>(image.size()));
}

class CompareTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(dir_.isValid());
  }

  // Loads DIN and changes two positions of the active EXPORT table.
  void DinWithTwoEdits() {
    TheSession->LoadDin.Both->trigger();
    MakeExportActive();
    ExportTable().Assign(0x41, 0xC2);
    ExportTable().Assign(0x7C, 0x4F);
  }

  QString CompareWithFile(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    WriteBytes(path, bytes);
    prompter_->AnswerFile(path);
    TheSession->CompareTable->trigger();
    return path;
  }

  static DifferenceList* Window() { return TheControl->DifferenceWindow; }

  // Each row as "position character this other".
  static QStringList Rows() {
    QStringList rows;
    if (!Window() || !Window()->isVisible()) return rows;
    QTreeWidget* list = Window()->Rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      rows << item->text(0) + " " + item->text(1) + " " + item->text(2) + " " + item->text(3);
    }
    return rows;
  }

  QStringList Headers() const {
    QTreeWidgetItem* header = Window()->Rows->headerItem();
    return {header->text(0), header->text(1), header->text(2), header->text(3)};
  }

  // Answers the code page dialog with page, ISO 8859-1, no swap.
  void AnswerPage(int page) const {
    CodePageChoice choice;
    choice.CodePage = page;
    prompter_->AnswerCodePage(choice);
  }

  // The pair of a code page, unchained so that an edit stays where it is made.
  void LoadPage(int page) const {
    AnswerPage(page);
    TheSession->MoreCodePages->trigger();
    TheSession->ChainTablesAction->trigger();
  }

  static bool Framed(TableKind kind, int entry) {
    TableGrid& grid = *(kind == TableKind::kExport ? TheControl->ExportWindow : TheControl->ImportWindow)->Grid;
    return DrawnItem(grid, ItemOfEntry(grid, entry)).Marked;
  }

  QStringList Messages() const {
    QStringList texts;
    for (const PromptCall& call : prompter_->CallsOf("message")) texts << call.Text;
    return texts;
  }

  QTemporaryDir dir_;
};

TEST_F(CompareTest, TwoEditedPositionsAreExactlyTheDifferencesFromDin) {
  DinWithTwoEdits();
  TheSession->CompareDin->trigger();
  EXPECT_EQ(Rows(), QStringList({"41 A C2 C1", "7C | 4F 6A"}));
  EXPECT_EQ(Headers(), QStringList({"Position", "Zeichen", "EXPORT", "DIN"}));
  EXPECT_EQ(Window()->Summary->text(), "EXPORT-Tabelle verglichen mit DIN: 2 Unterschiede");
  EXPECT_TRUE(prompter_->CallsOf("information").empty());
}

TEST_F(CompareTest, TheImportTableIsComparedWhenItIsActive) {
  TheSession->LoadDin.Both->trigger();
  MakeImportActive();
  ImportTable().Unassign(0xC1);
  TheSession->CompareDin->trigger();
  EXPECT_EQ(Rows(), QStringList({"C1 " + QString(QChar(0xC1)) + " -- 41"}));
  EXPECT_EQ(Headers().at(2), "IMPORT");
}

TEST_F(CompareTest, WithNeitherTableActiveTheExportTableIsCompared) {
  TheSession->LoadDin.Import->trigger();
  ExportTable().SetActive(false);
  ImportTable().SetActive(false);
  TheSession->CompareDin->trigger();
  EXPECT_EQ(Rows().size(), 256);
  EXPECT_EQ(Headers().at(2), "EXPORT");
}

TEST_F(CompareTest, NoDifferencesIsSaidAndNoListShown) {
  DinWithTwoEdits();
  TheSession->CompareDin->trigger();
  ASSERT_TRUE(Window()->isVisible());
  TheSession->LoadDin.Both->trigger();
  TheSession->CompareDin->trigger();
  const auto calls = prompter_->CallsOf("information");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Text, kNoDifferences);
  EXPECT_FALSE(Window()->isVisible());
}

TEST_F(CompareTest, ATableFileEqualToTheSessionHasNoDifferences) {
  TheSession->LoadIsoCp273.Both->trigger();
  MakeImportActive();
  const QByteArray v3 = Bytes(V3Image(ImportTable(), ExportTable()));
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  const QString path = CompareWithFile("pair.tab", v3);
  const auto opens = prompter_->CallsOf("open");
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].Title, "QAVO Codetabelle vergleichen");
  EXPECT_EQ(opens[0].Settings.Filter, "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct");
  ASSERT_EQ(prompter_->CallsOf("information").size(), 1u);
  EXPECT_EQ(prompter_->CallsOf("information")[0].Text, kNoDifferences);
  EXPECT_TRUE(export_before == TableState(ExportTable()));
  EXPECT_TRUE(import_before == TableState(ImportTable()));
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CompareTest, TheV5PairFileIsComparedInTheActiveDirection) {
  DinWithTwoEdits();
  ImportTable().Unassign(0xC1);
  const QByteArray pair = Bytes(V5PairImage(ExportTable(), ImportTable()));
  TheSession->LoadDin.Both->trigger();
  MakeExportActive();
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  CompareWithFile("pair.qct", pair);
  EXPECT_EQ(Rows(), QStringList({"41 A C1 C2", "7C | 6A 4F"}));
  EXPECT_EQ(Headers(), QStringList({"Position", "Zeichen", "EXPORT", "pair.qct"}));
  EXPECT_TRUE(export_before == TableState(ExportTable()));
  EXPECT_TRUE(import_before == TableState(ImportTable()));

  MakeImportActive();
  CompareWithFile("pair.qct", pair);
  EXPECT_EQ(Rows(), QStringList({"C1 A 41 --"}));
  EXPECT_EQ(Headers().at(2), "IMPORT");
}

TEST_F(CompareTest, AFileWithoutATableOfTheActiveDirectionIsNamed) {
  TheSession->LoadDin.Both->trigger();
  MakeImportActive();
  QByteArray image(256, '\0');
  for (int p = 0; p < 256; ++p) image[p] = static_cast<char>(kDinExport[p]);
  const QString path = CompareWithFile("export.tab", image);
  EXPECT_EQ(Messages(), QStringList({"Datei: " + path + QString::fromUtf8("\nenthält keine IMPORT-Tabelle!")}));
  EXPECT_EQ(Window(), nullptr);

  MakeExportActive();
  CompareWithFile("export.tab", image);
  EXPECT_EQ(prompter_->CallsOf("information").size(), 1u);
}

TEST_F(CompareTest, RefusedFilesGiveTheLoadMessagesAndChangeNothing) {
  DinWithTwoEdits();
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  CompareWithFile("short.tab", QByteArray(255, 'x'));
  CompareWithFile("odd.tab", QByteArray(300, 'x'));
  CompareWithFile("identity.tab", IdentityImage());
  QByteArray v5(1088, 'x');
  v5[20] = '\0';
  CompareWithFile("nohead.qct", v5);
  const QString lengths = "\nTabellendateien haben 256, 512, 1088 oder 2176 Bytes.";
  const auto file = [this](const char* name) { return "\nDatei: " + dir_.filePath(name); };
  EXPECT_EQ(Messages(),
            QStringList(
                {QString::fromUtf8("Datei nicht erkannt: falsche Länge 255") + file("short.tab") + lengths,
                 "unbekanntes Dateiformat" + file("odd.tab") + lengths,
                 "IMPORT/EXPORT nicht erkannt\nEvtl. 256 Byte vorgeben" + file("identity.tab"),
                 "Tabelle nicht erkannt!\nerwarte: QAVO CodeTab\nerhalte: xxxxxxxxxxxxxxxxxxxx" + file("nohead.qct")}));
  EXPECT_TRUE(export_before == TableState(ExportTable()));
  EXPECT_TRUE(import_before == TableState(ImportTable()));
  EXPECT_EQ(Window(), nullptr);
  EXPECT_TRUE(prompter_->CallsOf("information").empty());
}

TEST_F(CompareTest, ACancelledDialogComparesNothing) {
  prompter_->AnswerCancel();
  TheSession->CompareTable->trigger();
  EXPECT_EQ(prompter_->Calls.size(), 1u);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(CompareTest, ClickingARowMovesTheEditorToItsPosition) {
  TheControl->show();
  DinWithTwoEdits();
  TheSession->CompareDin->trigger();
  QTreeWidget* list = Window()->Rows;
  ASSERT_EQ(ExportTable().CurrentPosition(), 0x7C);
  const QRect row = list->visualItemRect(list->topLevelItem(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x41);
  EXPECT_EQ(TheControl->ExportEditor->SourceHex()->text(), "41");
  EXPECT_EQ(TheControl->ExportEditor->TargetHex()->text(), "C2");
  EXPECT_EQ(TheControl->ExportEditor->PositionBar()->value(), 0x41);
}

TEST_F(CompareTest, TheListKeepsTheKeysAfterAClick) {
  TheControl->show();
  DinWithTwoEdits();
  TheSession->CompareDin->trigger();
  QTreeWidget* list = Window()->Rows;
  QApplication::setActiveWindow(Window());
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window()));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
  ASSERT_EQ(ExportTable().CurrentPosition(), 0x41);
  // Window activation goes through the event loop.
  QTest::qWait(100);
  ASSERT_EQ(QApplication::focusWidget(), list);
  // The keys go wherever the keyboard focus is.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x7C);
  EXPECT_EQ(TheControl->ExportEditor->SourceHex()->text(), "7C");
  EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST_F(CompareTest, EnterOnARowMovesTheImportEditor) {
  TheControl->show();
  TheSession->LoadDin.Both->trigger();
  MakeImportActive();
  ImportTable().Assign(0xC1, 0x42);
  ImportTable().Assign(0x40, 0x21);
  TheSession->CompareDin->trigger();
  QTreeWidget* list = Window()->Rows;
  ASSERT_EQ(list->topLevelItemCount(), 2);
  ASSERT_EQ(ImportTable().CurrentPosition(), 0x40);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(ImportTable().CurrentPosition(), 0xC1);
  EXPECT_EQ(ImportTable().IsActive(), 1);
  EXPECT_EQ(TheControl->ImportEditor->SourceHex()->text(), "C1");
  EXPECT_EQ(TheControl->ImportEditor->TargetHex()->text(), "42");
}

TEST_F(CompareTest, ACodePageComparisonListsBothLibrariesAndFramesTheCellsWhileOpen) {
  TheControl->show();
  LoadPage(273);
  ExportTable().Assign(0x7C, 0x4F);
  ImportTable().Assign(0x9F, 0x24);
  AnswerPage(273);
  TheSession->ComparePage->trigger();
  QStringList rows;
  QTreeWidget* list = Window()->Rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    QStringList columns;
    for (int column = 0; column < list->columnCount(); ++column) columns << list->topLevelItem(i)->text(column);
    rows << columns.join(" | ");
  }
  EXPECT_EQ(rows, QStringList({"EXPORT | 7C (VERTICAL LINE) | 4F | BB | BB",
                               "IMPORT | 9F | 24 (DOLLAR SIGN) | A4 (CURRENCY SIGN) | A4 (CURRENCY SIGN)"}));
  EXPECT_TRUE(Framed(TableKind::kExport, 0x7C));
  EXPECT_TRUE(Framed(TableKind::kImport, 0x9F));
  EXPECT_FALSE(Framed(TableKind::kImport, 0x9E));

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
  EXPECT_EQ(ImportTable().CurrentPosition(), 0x9F);
  EXPECT_EQ(TheControl->ImportEditor->TargetHex()->text(), "24");

  Window()->close();
  EXPECT_FALSE(Framed(TableKind::kExport, 0x7C));
  EXPECT_FALSE(TheSession->ComparisonMarked(ImportTable(), 0x9F));
}

TEST_F(CompareTest, TheNearestCodePagesAreShownInAMessageBox) {
  LoadPage(273);
  TheSession->IdentifyPage->trigger();
  const QStringList lines = Messages().value(0).split('\n');
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], QString::fromUtf8("Nächste Codepages zum Paar (Arbeitsplatz ISO 8859-1):"));
  EXPECT_TRUE(lines[1].startsWith("CP 273 (iconv IBM273") && lines[1].endsWith("): 512 von 512 gleich"))
      << lines[1].toStdString();
  EXPECT_EQ(lines[6], QString::fromUtf8("Zeilenende: 15 <-> 85, 25 <-> 0A (üblich)"));

  AnswerPage(99999);
  TheSession->ComparePage->trigger();
  EXPECT_EQ(Messages().value(1), "Codepage 99999 kennen weder iconv noch ICU.");
}

}  // namespace
