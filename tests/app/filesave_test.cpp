// Saving the tables as UNIX, Windows V3 and Windows V5 table files through
// the real actions: dialogs, messages and the exact bytes written.
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include "support/session.h"
#include "support/tablefiles.h"

namespace {

const QString UnixFilter = "QAVO Codetabelle (*.tab)|*.tab|Alle (*.*)|*.*";
const QString V3Filter = "QAVO Codetabelle (*.atb)|*.tab|Alle (*.*)|*.*";
const QString V5Filter = "QAVO5 Codetabelle (*.qct)|*.qct|Alle (*.*)|*.*";
const QString ExportIncomplete =
    QString::fromUtf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.");
const QString ImportIncomplete =
    QString::fromUtf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.");
// V5 keeps unassigned characters unassigned, and says so.
const QString ExportIncompleteV5 =
    QString::fromUtf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben unzugeordnet.");
const QString ImportIncompleteV5 =
    QString::fromUtf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben unzugeordnet.");
const QString ExportHeader = "QAVO CodeTab EXPORT [Courier New] ";
const QString ImportHeader = "QAVO CodeTab IMPORT [Courier New] ";

QString NotWritten(const QString& fileName, const QString& reason, const QString& notSaved) {
  return "Datei: " + fileName + "\nkonnte nicht geschrieben werden (" + reason + ")!\n" + notSaved;
}

void FillPermutation(CodeTable& table, int shift) {
  for (int p = 0; p < 256; ++p) table.Assign(p, (p + shift) & 0xFF);
}

// Entry p of the V5 image starting at offset, as a signed 16-bit value.
int V5Target(const QByteArray& bytes, int offset, int p) {
  const int at = offset + 64 + 4 * p;
  return static_cast<int16_t>(Byte(bytes, at) | (Byte(bytes, at + 1) << 8));
}

// The name the loader would find in the V5 image starting at offset.
QByteArray V5Name(const QByteArray& bytes, int offset) {
  const QByteArray header = bytes.mid(offset, 64);
  const int bracket = header.indexOf(']', 21);
  if (bracket < 0 || header.indexOf('\0', 21) < bracket) return "<none>";
  EXPECT_EQ(header[bracket + 1], ' ');
  return header.mid(bracket + 2, header.indexOf('\0', bracket + 2) - bracket - 2);
}

class FileSaveTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    exportTable().SetActive(false);
    importTable().SetActive(false);
  }
  QString Path(const QString& name) const { return dir.filePath(name); }
  void Chain() { exportTable().Link(&importTable()); }
  // The texts of the information boxes, in order.
  std::vector<QString> InformationTexts() const { return prompter->TextsOf("information"); }

  QTemporaryDir dir;
};

TEST_F(FileSaveTest, UnixEmptyTableIsTheIdentityAfterTheIncompletenessBox) {
  exportTable().SetActive(true);
  prompter->AnswerFile(Path("e.tab"));
  TheSession->SaveUnix->trigger();

  ASSERT_EQ(prompter->Calls.size(), 2u);
  EXPECT_EQ(prompter->Calls[0].Kind, "information");
  EXPECT_EQ(prompter->Calls[0].Text, ExportIncomplete);
  const PromptCall& save = prompter->Calls[1];
  EXPECT_EQ(save.Kind, "save");
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'UNIX-Format' ( " + ExportHeader + ")");
  EXPECT_EQ(save.Settings.Filter, UnixFilter);
  EXPECT_EQ(save.Settings.DefaultExt, "tab");
  EXPECT_EQ(save.Settings.FileName, "CTUExport");
  EXPECT_TRUE(save.Settings.OverwritePrompt);
  EXPECT_EQ(ReadBytes(Path("e.tab")), IdentityImage());
}

TEST_F(FileSaveTest, UnixImageOfOneAssignmentAndFilterChoiceKept) {
  exportTable().Assign(0x41, 0xC1);
  exportTable().SetActive(true);
  TheSession->SaveDialog.FilterIndex = 2;
  prompter->AnswerFile(Path("e.tab"));
  TheSession->SaveUnix->trigger();

  QByteArray expected = IdentityImage();
  expected[0x41] = static_cast<char>(0xC1);
  EXPECT_EQ(ReadBytes(Path("e.tab")), expected);
  EXPECT_EQ(prompter->CallsOf("save").at(0).Settings.FilterIndex, 2);
}

TEST_F(FileSaveTest, UnixChainedPairAsksTwiceEvenWhenTheFirstIsCancelled) {
  Chain();
  FillPermutation(importTable(), 3);
  prompter->AnswerCancel();
  prompter->AnswerFile(Path("i.tab"));
  TheSession->SaveUnix->trigger();

  ASSERT_EQ(prompter->Calls.size(), 4u);
  EXPECT_EQ(prompter->Calls[0].Text, ExportIncomplete);
  EXPECT_EQ(prompter->Calls[1].Kind, "save");
  EXPECT_EQ(prompter->Calls[1].Settings.FileName, "CTUExport");
  EXPECT_EQ(prompter->Calls[2].Text, "EXPORT-Tabelle nicht gespeichert!");
  EXPECT_EQ(prompter->Calls[3].Kind, "save");
  EXPECT_EQ(prompter->Calls[3].Settings.FileName, "CTUImport");
  EXPECT_EQ(prompter->Calls[3].Settings.Title,
            "Tabelle speichern im 'UNIX-Format' ( " + QString::fromLatin1(importTable().Header()) + ")");
  const QByteArray bytes = ReadBytes(Path("i.tab"));
  ASSERT_EQ(bytes.size(), 256);
  for (int p = 0; p < 256; ++p) EXPECT_EQ(Byte(bytes, p), (p + 3) & 0xFF);
}

TEST_F(FileSaveTest, UnixSavesOnlyTheActiveTableOfAnUnchainedPair) {
  TheSession->SaveUnix->trigger();
  EXPECT_TRUE(prompter->Calls.empty());

  FillPermutation(importTable(), 0);
  importTable().SetActive(true);
  prompter->AnswerFile(Path("i.tab"));
  TheSession->SaveUnix->trigger();
  ASSERT_EQ(prompter->Calls.size(), 1u);
  EXPECT_EQ(prompter->Calls[0].Settings.FileName, "CTUImport");
  EXPECT_EQ(ReadBytes(Path("i.tab")), IdentityImage());
}

TEST_F(FileSaveTest, V3NeedsTheChain) {
  exportTable().SetActive(true);
  TheSession->SaveV3->trigger();
  ASSERT_EQ(prompter->Calls.size(), 1u);
  EXPECT_EQ(prompter->Calls[0].Kind, "information");
  EXPECT_EQ(prompter->Calls[0].Text, "Bitte Tabellen verbinden oder UNIX speichern!");
}

TEST_F(FileSaveTest, V3WritesImportFirstThenExport) {
  exportTable().Assign(0x41, 0xC1);
  importTable().Assign(0xC1, 0x41);
  Chain();
  prompter->AnswerFile(Path("pair.tab"));
  TheSession->SaveV3->trigger();

  EXPECT_EQ(InformationTexts(), (std::vector<QString>{ExportIncomplete, ImportIncomplete}));
  const PromptCall save = prompter->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'QAVO-WINDOWS-Format' ( " + ImportHeader + ")");
  EXPECT_EQ(save.Settings.Filter, V3Filter);
  EXPECT_EQ(save.Settings.DefaultExt, "tab");
  EXPECT_EQ(save.Settings.FileName, "CTWX2X");
  EXPECT_TRUE(save.Settings.OverwritePrompt);

  QByteArray expected = IdentityImage() + IdentityImage();
  expected[0xC1] = 0x41;
  expected[256 + 0x41] = static_cast<char>(0xC1);
  EXPECT_EQ(ReadBytes(Path("pair.tab")), expected);
}

TEST_F(FileSaveTest, V3CancelledIsReported) {
  Chain();
  FillPermutation(exportTable(), 1);
  FillPermutation(importTable(), 255);
  prompter->AnswerCancel();
  TheSession->SaveV3->trigger();
  EXPECT_EQ(InformationTexts(), std::vector<QString>{"EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!"});
}

TEST_F(FileSaveTest, V5ChainedPairIsExportImageThenImportImage) {
  exportTable().Assign(0x41, 0xC1);
  exportTable().BuildHeader(TableKind::kExport, "DIN");
  importTable().Assign(0xC1, 0x41);
  Chain();
  prompter->AnswerFile(Path("pair.qct"));
  TheSession->SaveV5->trigger();

  EXPECT_EQ(InformationTexts(), (std::vector<QString>{ExportIncompleteV5, ImportIncompleteV5}));
  const PromptCall save = prompter->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.Title, "Tabelle gemeinsam speichern im 'QAVO-WINDOWS-Format' ( " + ExportHeader + "DIN)");
  EXPECT_EQ(save.Settings.Filter, V5Filter);
  EXPECT_EQ(save.Settings.DefaultExt, "qct");
  EXPECT_EQ(save.Settings.FileName, "CTQX2X");
  EXPECT_TRUE(save.Settings.OverwritePrompt);

  const QByteArray bytes = ReadBytes(Path("pair.qct"));
  ASSERT_EQ(bytes.size(), 2176);
  EXPECT_EQ(bytes.left(14), QByteArray("QAVO CodeTab A"));
  EXPECT_EQ(bytes.mid(1088, 14), QByteArray("QAVO CodeTab E"));
  EXPECT_EQ(V5Name(bytes, 0), "DIN");
  EXPECT_EQ(V5Name(bytes, 1088), "");
  for (int p = 0; p < 256; ++p) {
    EXPECT_EQ(V5Target(bytes, 0, p), p == 0x41 ? 0xC1 : -1) << p;
    EXPECT_EQ(V5Target(bytes, 1088, p), p == 0xC1 ? 0x41 : -1) << p;
  }
  // Unassigned is FF FF, an assignment its code, low byte first.
  EXPECT_EQ(bytes.mid(64, 2), QByteArray("\xFF\xFF", 2));
  EXPECT_EQ(bytes.mid(64 + 4 * 0x41, 2), QByteArray("\xC1\x00", 2));
}

TEST_F(FileSaveTest, V5SingleTableOfTheActiveTable) {
  FillPermutation(exportTable(), 0x40);
  exportTable().SetActive(true);
  prompter->AnswerFile(Path("e.qct"));
  TheSession->SaveV5->trigger();

  EXPECT_EQ(InformationTexts(), std::vector<QString>{ImportIncompleteV5});
  PromptCall save = prompter->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'QAVO-UNIX-Format' ( " + ExportHeader + ")");
  EXPECT_EQ(save.Settings.DefaultExt, "tab");
  EXPECT_EQ(save.Settings.FileName, "CTQExport");
  QByteArray bytes = ReadBytes(Path("e.qct"));
  ASSERT_EQ(bytes.size(), 1088);
  EXPECT_EQ(bytes[13], 'A');
  for (int p = 0; p < 256; ++p) EXPECT_EQ(V5Target(bytes, 0, p), (p + 0x40) & 0xFF);

  prompter->Clear();
  exportTable().SetActive(false);
  importTable().SetActive(true);
  importTable().Assign(0, 0);
  prompter->AnswerFile(Path("i.qct"));
  TheSession->SaveV5->trigger();
  save = prompter->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.FileName, "CTQImport");
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'QAVO-UNIX-Format' ( " + ImportHeader + ")");
  bytes = ReadBytes(Path("i.qct"));
  ASSERT_EQ(bytes.size(), 1088);
  EXPECT_EQ(bytes[13], 'E');
  EXPECT_EQ(V5Target(bytes, 0, 0), 0);
  EXPECT_EQ(V5Target(bytes, 0, 1), -1);
}

TEST_F(FileSaveTest, V5WithoutChainOrActiveTableOnlyWarnsAndCancelIsSilent) {
  TheSession->SaveV5->trigger();
  EXPECT_EQ(InformationTexts(), (std::vector<QString>{ExportIncompleteV5, ImportIncompleteV5}));
  EXPECT_TRUE(prompter->CallsOf("save").empty());

  prompter->Clear();
  Chain();
  prompter->AnswerCancel();
  TheSession->SaveV5->trigger();
  EXPECT_EQ(prompter->Calls.size(), 3u);
  EXPECT_EQ(prompter->CallsOf("save").size(), 1u);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// Failed writes are reported with the file's name; nothing half-written stays.
TEST_F(FileSaveTest, WriteIntoAMissingOrImpossibleFolderIsReported) {
  FillPermutation(exportTable(), 0);
  exportTable().SetActive(true);
  WriteBytes(Path("plain"), "x");
  const QString missing = Path("no/such/folder/e.tab");
  const QString underFile = Path("plain/e.tab");
  prompter->AnswerFile(missing);
  TheSession->SaveUnix->trigger();
  prompter->AnswerFile(underFile);
  TheSession->SaveUnix->trigger();

  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(missing, "nicht gefunden", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(underFile, "Pfad enthält eine Datei, wo ein Verzeichnis stehen müsste",
                                             "EXPORT-Tabelle nicht gespeichert!")}));
  EXPECT_FALSE(QFile::exists(missing));
  EXPECT_EQ(ReadBytes(Path("plain")), "x");
}

TEST_F(FileSaveTest, FailedWriteLeavesTheExistingFileAsItWas) {
  FillPermutation(exportTable(), 0);
  FillPermutation(importTable(), 0);
  Chain();
  const QString existing = Path("old.tab");
  WriteBytes(existing, "old content");
  {
    const FileSizeLimit limit(100);
    prompter->AnswerFile(existing);
    prompter->AnswerCancel();
    TheSession->SaveUnix->trigger();
    prompter->AnswerFile(existing);
    TheSession->SaveV3->trigger();
    prompter->AnswerFile(existing);
    TheSession->SaveV5->trigger();
  }
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{
                NotWritten(existing, "Datei zu groß", "EXPORT-Tabelle nicht gespeichert!"),
                "IMPORT-Tabelle nicht gespeichert!",
                NotWritten(existing, "Datei zu groß", "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!"),
                NotWritten(existing, "Datei zu groß", "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!")}));
  EXPECT_EQ(ReadBytes(existing), "old content");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.tab"});
}

TEST_F(FileSaveTest, SaveOverAFolderIsReportedAndTheFolderStays) {
  FillPermutation(importTable(), 0);
  importTable().SetActive(true);
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.qct"));
  WriteBytes(Path("folder.qct/inside"), "keep");
  prompter->AnswerFile(Path("folder.qct"));
  TheSession->SaveV5->trigger();
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{ExportIncompleteV5, NotWritten(Path("folder.qct"), "ist ein Verzeichnis",
                                                                 "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_EQ(ReadBytes(Path("folder.qct/inside")), "keep");
}

// A pipe would block the save, a link that leads nowhere would be replaced.
TEST_F(FileSaveTest, SaveOntoAPipeOrADanglingLinkIsReportedAndNothingIsReplaced) {
  FillPermutation(exportTable(), 0);
  FillPermutation(importTable(), 0);
  Chain();
  const QString pipe = Path("pipe.qct");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("nowhere.tab", Path("dangling.tab")));
  prompter->AnswerFile(pipe);
  TheSession->SaveV5->trigger();
  prompter->AnswerFile(Path("dangling.tab"));
  TheSession->SaveV3->trigger();
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{
                NotWritten(pipe, "keine reguläre Datei", "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!"),
                NotWritten(Path("dangling.tab"), "Verknüpfung ohne Ziel",
                           "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!")}));
  EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
  EXPECT_TRUE(QFileInfo(Path("dangling.tab")).isSymLink());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 2);
}

TEST_F(FileSaveTest, AHardLinkedFileStaysOneFile) {
  FillPermutation(exportTable(), 3);
  exportTable().SetActive(true);
  WriteBytes(Path("e.tab"), "old");
  ASSERT_EQ(link(QFile::encodeName(Path("e.tab")).constData(), QFile::encodeName(Path("also.tab")).constData()), 0);
  prompter->AnswerFile(Path("e.tab"));
  TheSession->SaveUnix->trigger();
  EXPECT_EQ(ReadBytes(Path("also.tab")).size(), 256);
  EXPECT_EQ(ReadBytes(Path("also.tab")), ReadBytes(Path("e.tab")));
  EXPECT_EQ(Byte(ReadBytes(Path("also.tab")), 0), 3);
}

}  // namespace
