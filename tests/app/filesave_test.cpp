// Saving the tables as UNIX, Windows V3 and Windows V5 table files through
// the real actions: dialogs, messages and the exact bytes written.
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include "support/session.h"
#include "support/tablefiles.h"

namespace {

const QString kUnixFilter = "QAVO Codetabelle (*.tab)|*.tab|Alle (*.*)|*.*";
const QString kV3Filter = "QAVO Codetabelle (*.atb)|*.tab|Alle (*.*)|*.*";
const QString kV5Filter = "QAVO5 Codetabelle (*.qct)|*.qct|Alle (*.*)|*.*";
const QString kExportIncomplete =
    QString::fromUtf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.");
const QString kImportIncomplete =
    QString::fromUtf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben 1:1.");
// V5 keeps unassigned characters unassigned, and says so.
const QString kExportIncompleteV5 =
    QString::fromUtf8("EXPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben unzugeordnet.");
const QString kImportIncompleteV5 =
    QString::fromUtf8("IMPORT-Tabelle unvollständig oder leer!\nNicht zugeordnete Zeichen bleiben unzugeordnet.");
const QString kExportHeader = "QAVO CodeTab EXPORT [Courier New] ";
const QString kImportHeader = "QAVO CodeTab IMPORT [Courier New] ";

QString NotWritten(const QString& file_name, const QString& reason, const QString& not_saved) {
  return "Datei: " + file_name + "\nkonnte nicht geschrieben werden (" + reason + ")!\n" + not_saved;
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
    ASSERT_TRUE(dir_.isValid());
    ExportTable().SetActive(false);
    ImportTable().SetActive(false);
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  void Chain() { ExportTable().Link(&ImportTable()); }
  // The texts of the information boxes, in order.
  std::vector<QString> InformationTexts() const { return prompter_->TextsOf("information"); }

  QTemporaryDir dir_;
};

TEST_F(FileSaveTest, UnixEmptyTableIsTheIdentityAfterTheIncompletenessBox) {
  ExportTable().SetActive(true);
  prompter_->AnswerFile(Path("e.tab"));
  TheSession->SaveUnix->trigger();

  ASSERT_EQ(prompter_->Calls.size(), 2u);
  EXPECT_EQ(prompter_->Calls[0].Kind, "information");
  EXPECT_EQ(prompter_->Calls[0].Text, kExportIncomplete);
  const PromptCall& save = prompter_->Calls[1];
  EXPECT_EQ(save.Kind, "save");
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'UNIX-Format' ( " + kExportHeader + ")");
  EXPECT_EQ(save.Settings.Filter, kUnixFilter);
  EXPECT_EQ(save.Settings.DefaultExt, "tab");
  EXPECT_EQ(save.Settings.FileName, "CTUExport");
  EXPECT_TRUE(save.Settings.OverwritePrompt);
  EXPECT_EQ(ReadBytes(Path("e.tab")), IdentityImage());
}

TEST_F(FileSaveTest, UnixImageOfOneAssignmentAndFilterChoiceKept) {
  ExportTable().Assign(0x41, 0xC1);
  ExportTable().SetActive(true);
  TheSession->SaveDialog.FilterIndex = 2;
  prompter_->AnswerFile(Path("e.tab"));
  TheSession->SaveUnix->trigger();

  QByteArray expected = IdentityImage();
  expected[0x41] = static_cast<char>(0xC1);
  EXPECT_EQ(ReadBytes(Path("e.tab")), expected);
  EXPECT_EQ(prompter_->CallsOf("save").at(0).Settings.FilterIndex, 2);
}

TEST_F(FileSaveTest, UnixChainedPairAsksTwiceEvenWhenTheFirstIsCancelled) {
  Chain();
  FillPermutation(ImportTable(), 3);
  prompter_->AnswerCancel();
  prompter_->AnswerFile(Path("i.tab"));
  TheSession->SaveUnix->trigger();

  ASSERT_EQ(prompter_->Calls.size(), 4u);
  EXPECT_EQ(prompter_->Calls[0].Text, kExportIncomplete);
  EXPECT_EQ(prompter_->Calls[1].Kind, "save");
  EXPECT_EQ(prompter_->Calls[1].Settings.FileName, "CTUExport");
  EXPECT_EQ(prompter_->Calls[2].Text, "EXPORT-Tabelle nicht gespeichert!");
  EXPECT_EQ(prompter_->Calls[3].Kind, "save");
  EXPECT_EQ(prompter_->Calls[3].Settings.FileName, "CTUImport");
  EXPECT_EQ(prompter_->Calls[3].Settings.Title,
            "Tabelle speichern im 'UNIX-Format' ( " + QString::fromLatin1(ImportTable().Header()) + ")");
  const QByteArray bytes = ReadBytes(Path("i.tab"));
  ASSERT_EQ(bytes.size(), 256);
  for (int p = 0; p < 256; ++p) EXPECT_EQ(Byte(bytes, p), (p + 3) & 0xFF);
}

TEST_F(FileSaveTest, UnixSavesOnlyTheActiveTableOfAnUnchainedPair) {
  TheSession->SaveUnix->trigger();
  EXPECT_TRUE(prompter_->Calls.empty());

  FillPermutation(ImportTable(), 0);
  ImportTable().SetActive(true);
  prompter_->AnswerFile(Path("i.tab"));
  TheSession->SaveUnix->trigger();
  ASSERT_EQ(prompter_->Calls.size(), 1u);
  EXPECT_EQ(prompter_->Calls[0].Settings.FileName, "CTUImport");
  EXPECT_EQ(ReadBytes(Path("i.tab")), IdentityImage());
}

TEST_F(FileSaveTest, V3NeedsTheChain) {
  ExportTable().SetActive(true);
  TheSession->SaveV3->trigger();
  ASSERT_EQ(prompter_->Calls.size(), 1u);
  EXPECT_EQ(prompter_->Calls[0].Kind, "information");
  EXPECT_EQ(prompter_->Calls[0].Text, "Bitte Tabellen verbinden oder UNIX speichern!");
}

TEST_F(FileSaveTest, V3WritesImportFirstThenExport) {
  ExportTable().Assign(0x41, 0xC1);
  ImportTable().Assign(0xC1, 0x41);
  Chain();
  prompter_->AnswerFile(Path("pair.tab"));
  TheSession->SaveV3->trigger();

  EXPECT_EQ(InformationTexts(), (std::vector<QString>{kExportIncomplete, kImportIncomplete}));
  const PromptCall save = prompter_->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'QAVO-WINDOWS-Format' ( " + kImportHeader + ")");
  EXPECT_EQ(save.Settings.Filter, kV3Filter);
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
  FillPermutation(ExportTable(), 1);
  FillPermutation(ImportTable(), 255);
  prompter_->AnswerCancel();
  TheSession->SaveV3->trigger();
  EXPECT_EQ(InformationTexts(), std::vector<QString>{"EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!"});
}

TEST_F(FileSaveTest, V5ChainedPairIsExportImageThenImportImage) {
  ExportTable().Assign(0x41, 0xC1);
  ExportTable().BuildHeader(TableKind::kExport, "DIN");
  ImportTable().Assign(0xC1, 0x41);
  Chain();
  prompter_->AnswerFile(Path("pair.qct"));
  TheSession->SaveV5->trigger();

  EXPECT_EQ(InformationTexts(), (std::vector<QString>{kExportIncompleteV5, kImportIncompleteV5}));
  const PromptCall save = prompter_->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.Title, "Tabelle gemeinsam speichern im 'QAVO-WINDOWS-Format' ( " + kExportHeader + "DIN)");
  EXPECT_EQ(save.Settings.Filter, kV5Filter);
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
  FillPermutation(ExportTable(), 0x40);
  ExportTable().SetActive(true);
  prompter_->AnswerFile(Path("e.qct"));
  TheSession->SaveV5->trigger();

  EXPECT_EQ(InformationTexts(), std::vector<QString>{kImportIncompleteV5});
  PromptCall save = prompter_->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'QAVO-UNIX-Format' ( " + kExportHeader + ")");
  EXPECT_EQ(save.Settings.DefaultExt, "tab");
  EXPECT_EQ(save.Settings.FileName, "CTQExport");
  QByteArray bytes = ReadBytes(Path("e.qct"));
  ASSERT_EQ(bytes.size(), 1088);
  EXPECT_EQ(bytes[13], 'A');
  for (int p = 0; p < 256; ++p) EXPECT_EQ(V5Target(bytes, 0, p), (p + 0x40) & 0xFF);

  prompter_->Clear();
  ExportTable().SetActive(false);
  ImportTable().SetActive(true);
  ImportTable().Assign(0, 0);
  prompter_->AnswerFile(Path("i.qct"));
  TheSession->SaveV5->trigger();
  save = prompter_->CallsOf("save").at(0);
  EXPECT_EQ(save.Settings.FileName, "CTQImport");
  EXPECT_EQ(save.Settings.Title, "Tabelle speichern im 'QAVO-UNIX-Format' ( " + kImportHeader + ")");
  bytes = ReadBytes(Path("i.qct"));
  ASSERT_EQ(bytes.size(), 1088);
  EXPECT_EQ(bytes[13], 'E');
  EXPECT_EQ(V5Target(bytes, 0, 0), 0);
  EXPECT_EQ(V5Target(bytes, 0, 1), -1);
}

TEST_F(FileSaveTest, V5WithoutChainOrActiveTableOnlyWarnsAndCancelIsSilent) {
  TheSession->SaveV5->trigger();
  EXPECT_EQ(InformationTexts(), (std::vector<QString>{kExportIncompleteV5, kImportIncompleteV5}));
  EXPECT_TRUE(prompter_->CallsOf("save").empty());

  prompter_->Clear();
  Chain();
  prompter_->AnswerCancel();
  TheSession->SaveV5->trigger();
  EXPECT_EQ(prompter_->Calls.size(), 3u);
  EXPECT_EQ(prompter_->CallsOf("save").size(), 1u);
  EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

// Failed writes are reported with the file's name; nothing half-written stays.
TEST_F(FileSaveTest, WriteIntoAMissingOrImpossibleFolderIsReported) {
  FillPermutation(ExportTable(), 0);
  ExportTable().SetActive(true);
  WriteBytes(Path("plain"), "x");
  const QString missing = Path("no/such/folder/e.tab");
  const QString under_file = Path("plain/e.tab");
  prompter_->AnswerFile(missing);
  TheSession->SaveUnix->trigger();
  prompter_->AnswerFile(under_file);
  TheSession->SaveUnix->trigger();

  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(missing, "nicht gefunden", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(under_file, "Pfad enthält eine Datei, wo ein Verzeichnis stehen müsste",
                                             "EXPORT-Tabelle nicht gespeichert!")}));
  EXPECT_FALSE(QFile::exists(missing));
  EXPECT_EQ(ReadBytes(Path("plain")), "x");
}

TEST_F(FileSaveTest, FailedWriteLeavesTheExistingFileAsItWas) {
  FillPermutation(ExportTable(), 0);
  FillPermutation(ImportTable(), 0);
  Chain();
  const QString existing = Path("old.tab");
  WriteBytes(existing, "old content");
  {
    const FileSizeLimit limit(100);
    prompter_->AnswerFile(existing);
    prompter_->AnswerCancel();
    TheSession->SaveUnix->trigger();
    prompter_->AnswerFile(existing);
    TheSession->SaveV3->trigger();
    prompter_->AnswerFile(existing);
    TheSession->SaveV5->trigger();
  }
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{
                NotWritten(existing, "Datei zu groß", "EXPORT-Tabelle nicht gespeichert!"),
                "IMPORT-Tabelle nicht gespeichert!",
                NotWritten(existing, "Datei zu groß", "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!"),
                NotWritten(existing, "Datei zu groß", "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!")}));
  EXPECT_EQ(ReadBytes(existing), "old content");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"old.tab"});
}

TEST_F(FileSaveTest, SaveOverAFolderIsReportedAndTheFolderStays) {
  FillPermutation(ImportTable(), 0);
  ImportTable().SetActive(true);
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.qct"));
  WriteBytes(Path("folder.qct/inside"), "keep");
  prompter_->AnswerFile(Path("folder.qct"));
  TheSession->SaveV5->trigger();
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{kExportIncompleteV5, NotWritten(Path("folder.qct"), "ist ein Verzeichnis",
                                                                  "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_EQ(ReadBytes(Path("folder.qct/inside")), "keep");
}

// A pipe would block the save, a link that leads nowhere would be replaced.
TEST_F(FileSaveTest, SaveOntoAPipeOrADanglingLinkIsReportedAndNothingIsReplaced) {
  FillPermutation(ExportTable(), 0);
  FillPermutation(ImportTable(), 0);
  Chain();
  const QString pipe = Path("pipe.qct");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("nowhere.tab", Path("dangling.tab")));
  prompter_->AnswerFile(pipe);
  TheSession->SaveV5->trigger();
  prompter_->AnswerFile(Path("dangling.tab"));
  TheSession->SaveV3->trigger();
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{
                NotWritten(pipe, "keine reguläre Datei", "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!"),
                NotWritten(Path("dangling.tab"), "Verknüpfung ohne Ziel",
                           "EXPORT-IMPORT-QAVO-WINDOWS-Tabelle nicht gespeichert!")}));
  EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
  EXPECT_TRUE(QFileInfo(Path("dangling.tab")).isSymLink());
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::System).size(), 2);
}

TEST_F(FileSaveTest, AHardLinkedFileStaysOneFile) {
  FillPermutation(ExportTable(), 3);
  ExportTable().SetActive(true);
  WriteBytes(Path("e.tab"), "old");
  ASSERT_EQ(link(QFile::encodeName(Path("e.tab")).constData(), QFile::encodeName(Path("also.tab")).constData()), 0);
  prompter_->AnswerFile(Path("e.tab"));
  TheSession->SaveUnix->trigger();
  EXPECT_EQ(ReadBytes(Path("also.tab")).size(), 256);
  EXPECT_EQ(ReadBytes(Path("also.tab")), ReadBytes(Path("e.tab")));
  EXPECT_EQ(Byte(ReadBytes(Path("also.tab")), 0), 3);
}

}  // namespace
