// Loading table files through the real actions: recognition by length,
// content and header, every refusal, the chain, and save-load round trips.
#include <sys/stat.h>

#include <QLabel>
#include <QTemporaryDir>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "files/recognize.h"
#include "support/session.h"
#include "support/tablefiles.h"

namespace {

const QString kFileError = "Can't perform one of the following file operations: Open, Seek, Read, Close.";
const QString kKindNotRecognised = "IMPORT/EXPORT nicht erkannt\nEvtl. 256 Byte vorgeben";
const QString kUnknownFormat = "unbekanntes Dateiformat";
const QString kNoSignature = "Tabelle nicht erkannt!\nerwarte: QAVO CodeTab\nerhalte: ";
const QString kLengths = "\nTabellendateien haben 256, 512, 1088 oder 2176 Bytes.";

QString WrongLength(int length) {
  return QString::fromUtf8("Datei nicht erkannt: falsche Länge ") + QString::number(length);
}

QString Header(const CodeTable& table) { return QString::fromLatin1(table.Header()); }

// The header line a load gives: kind word, display font and name, cut to 64.
QString LoadedHeader(const char* kind_word, const QString& name) {
  return (QString("QAVO CodeTab ") + kind_word + " [Courier New] " + name).left(64);
}

QByteArray ExportImage() {
  QByteArray image(256, '\0');
  for (int p = 0; p < 256; ++p) image[p] = static_cast<char>((p + 0x20) & 0xFF);
  return image;
}

QByteArray ImportImage() {
  QByteArray image(256, '\0');
  for (int p = 0; p < 256; ++p) image[p] = static_cast<char>((p - 0x20) & 0xFF);
  return image;
}

std::vector<int> ImageTargets(const QByteArray& image) {
  std::vector<int> targets;
  for (int p = 0; p < image.size(); ++p) targets.push_back(Byte(image, p));
  return targets;
}

// One V5 image: signature, letter, text from offset 21, entries from target(p).
QByteArray V5(char letter, const QByteArray& text, const std::function<int(int)>& target) {
  QByteArray image(1088, '\0');
  std::memcpy(image.data(), "QAVO CodeTab ", 13);
  image[13] = letter;
  std::memcpy(image.data() + 21, text.constData(), static_cast<size_t>(text.size()));
  for (int p = 0; p < 256; ++p) {
    const uint16_t bits = static_cast<uint16_t>(target(p));
    image[64 + 4 * p] = static_cast<char>(bits & 0xFF);
    image[65 + 4 * p] = static_cast<char>(bits >> 8);
  }
  return image;
}

int Shifted(int p) { return (p + 1) & 0xFF; }

class FileLoadTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(dir_.isValid());
    ExportTable().SetActive(false);
    ImportTable().SetActive(false);
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // Writes the file and loads it with the action, answering its dialog.
  QString Load(QAction* action, const QString& name, const QByteArray& bytes) {
    const QString path = Path(name);
    WriteBytes(path, bytes);
    prompter_->AnswerFile(path);
    action->trigger();
    return path;
  }
  // Gives both tables some content, so that an untouched table is told apart.
  void FillBoth() {
    ExportTable().Assign(0x41, 0xC1);
    ImportTable().Assign(0xC1, 0x41);
    ImportTable().Select(0xC1);
  }
  std::vector<QString> Messages() const { return prompter_->TextsOf("message"); }
  // A refusal names the file on a line of its own.
  QString About(const QString& message, const QString& file) const { return message + "\nDatei: " + Path(file); }

  QTemporaryDir dir_;
};

TEST_F(FileLoadTest, OpenDialogIsTitledBeforeEveryUseAndKeepsTheFilterChoice) {
  TheSession->OpenDialog.Title = "anders";
  TheSession->LoadTableFile->trigger();
  ASSERT_EQ(prompter_->Calls.size(), 1u);
  const FileDialogSettings& first = prompter_->Calls[0].Settings;
  EXPECT_EQ(prompter_->Calls[0].Kind, "open");
  EXPECT_EQ(first.Title, "QAVO Codetabelle laden");
  EXPECT_EQ(first.Filter, "Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct");
  EXPECT_EQ(first.FilterIndex, 2);

  TheSession->OpenDialog.FilterIndex = 1;
  TheSession->OpenDialog.Title = "anders";
  TheSession->LoadExport->trigger();
  const FileDialogSettings& second = prompter_->Calls.at(1).Settings;
  EXPECT_EQ(second.Title, "QAVO Codetabelle laden");
  EXPECT_EQ(second.FilterIndex, 1);
}

TEST_F(FileLoadTest, RecognisesExportAndImportImages) {
  FillBoth();
  TheControl->CurrentFontLabel->setText("stale");
  const TableState import_before(ImportTable());
  const QString export_path = Load(TheSession->LoadTableFile, "e.tab", ExportImage());
  EXPECT_TRUE(prompter_->CallsOf("message").empty());
  EXPECT_EQ(Targets(ExportTable()), ImageTargets(ExportImage()));
  EXPECT_EQ(ExportTable().CountAssigned(), 256);
  EXPECT_EQ(ExportTable().CurrentPosition(), 0);
  EXPECT_EQ(Header(ExportTable()), LoadedHeader("EXPORT", export_path));
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
  // The views were refreshed.
  EXPECT_EQ(TheControl->CurrentFontLabel->text(), "Courier New");

  const TableState export_before(ExportTable());
  const QString import_path = Load(TheSession->LoadTableFile, "i.tab", ImportImage());
  EXPECT_EQ(Targets(ImportTable()), ImageTargets(ImportImage()));
  EXPECT_EQ(Header(ImportTable()), LoadedHeader("IMPORT", import_path));
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
}

TEST_F(FileLoadTest, ImageMarkedBothWaysIsExport) {
  QByteArray image = IdentityImage();
  image[32] = 0x40;
  image[64] = 0x20;
  Load(TheSession->LoadTableFile, "both.tab", image);
  EXPECT_EQ(Targets(ExportTable()), ImageTargets(image));
  EXPECT_EQ(ImportTable().CountAssigned(), 0);
}

TEST_F(FileLoadTest, IdentityImageIsRefusedUntilItsKindIsGiven) {
  FillBoth();
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  TheControl->CurrentFontLabel->setText("stale");
  Load(TheSession->LoadTableFile, "id.tab", IdentityImage());
  EXPECT_EQ(Messages(), std::vector<QString>{About(kKindNotRecognised, "id.tab")});
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
  EXPECT_EQ(TheControl->CurrentFontLabel->text(), "stale");

  EXPECT_EQ(TheSession->LoadExport->text(), "&EXPORT (256 Bytes) ...");
  EXPECT_EQ(TheSession->LoadImport->text(), "&IIMPORT  (256 Bytes) ...");
  const QString path = Load(TheSession->LoadExport, "id.tab", IdentityImage());
  EXPECT_EQ(Targets(ExportTable()), ImageTargets(IdentityImage()));
  EXPECT_EQ(Header(ExportTable()), LoadedHeader("EXPORT", path));
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
  Load(TheSession->LoadImport, "id.tab", IdentityImage());
  EXPECT_EQ(Targets(ImportTable()), ImageTargets(IdentityImage()));
  EXPECT_EQ(Header(ImportTable()), LoadedHeader("IMPORT", path));
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(FileLoadTest, ForcedKindOverridesTheContent) {
  Load(TheSession->LoadImport, "e.tab", ExportImage());
  EXPECT_EQ(Targets(ImportTable()), ImageTargets(ExportImage()));
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
}

TEST_F(FileLoadTest, ForcedLoadDropsOtherLengthsSilently) {
  FillBoth();
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  Load(TheSession->LoadExport, "pair.tab", ExportImage() + ImportImage());
  Load(TheSession->LoadImport, "v5.qct", V5('E', "] x", Shifted));
  Load(TheSession->LoadImport, "odd.tab", QByteArray(300, 'x'));
  EXPECT_EQ(prompter_->Calls.size(), 3u);
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
}

TEST_F(FileLoadTest, V3FileFillsImportFromTheFirstHalfAndExportFromTheSecond) {
  const QString path = Load(TheSession->LoadTableFile, "pair.tab", IdentityImage() + ExportImage());
  EXPECT_EQ(Targets(ImportTable()), ImageTargets(IdentityImage()));
  EXPECT_EQ(Targets(ExportTable()), ImageTargets(ExportImage()));
  EXPECT_EQ(Header(ImportTable()), LoadedHeader("IMPORT", path));
  EXPECT_EQ(Header(ExportTable()), LoadedHeader("EXPORT", path));
}

TEST_F(FileLoadTest, HeaderNamesAreLatin1) {
  const QString path = Load(TheSession->LoadTableFile, QString::fromUtf8("ä.tab"), ExportImage());
  const QByteArray expected = LoadedHeader("EXPORT", path).toLatin1();
  ASSERT_TRUE(expected.contains('\xE4'));
  EXPECT_EQ(QByteArray(ExportTable().Header()), expected);
}

TEST_F(FileLoadTest, V5KindLetterChoosesTheTable) {
  Load(TheSession->LoadTableFile, "a.qct", V5('A', "[Courier New] DIN", Shifted));
  EXPECT_EQ(Targets(ExportTable())[0], 1);
  EXPECT_EQ(ExportTable().CountAssigned(), 256);
  EXPECT_EQ(Header(ExportTable()), "QAVO CodeTab EXPORT [Courier New] DIN");
  EXPECT_EQ(ImportTable().CountAssigned(), 0);

  Load(TheSession->LoadTableFile, "e.qct", V5('E', "x] CP273", [](int p) { return p == 0x40 ? 0x20 : -1; }));
  EXPECT_EQ(ImportTable().CountAssigned(), 1);
  EXPECT_EQ(ImportTable().Target(0x40), 0x20);
  EXPECT_EQ(Header(ImportTable()), "QAVO CodeTab IMPORT [Courier New] CP273");

  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  for (const char letter : {'I', 'U', ' '}) Load(TheSession->LoadTableFile, "x.qct", V5(letter, "] X", Shifted));
  EXPECT_EQ(prompter_->Calls.size(), 5u);
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
}

TEST_F(FileLoadTest, V5EntriesCountByTheirLowByteAndFfffIsUnassigned) {
  Load(TheSession->LoadTableFile, "a.qct", V5('A', "] N", [](int p) {
         return p == 0 ? 0x0141 : p == 1 ? 0x0042 : 0xFFFF;
       }));
  EXPECT_EQ(ExportTable().Target(0), 0x41);
  EXPECT_EQ(ExportTable().Target(1), 0x42);
  EXPECT_EQ(ExportTable().CountAssigned(), 2);
  EXPECT_EQ(ExportTable().CurrentPosition(), 0);
}

TEST_F(FileLoadTest, V5HeaderWithoutBracketOrNameLeavesTheTableUnnamed) {
  ExportTable().BuildHeader(TableKind::kExport, "alt");
  Load(TheSession->LoadTableFile, "a.qct", V5('A', "kein Name", Shifted));
  EXPECT_EQ(Header(ExportTable()), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_EQ(ExportTable().CountAssigned(), 256);

  ExportTable().BuildHeader(TableKind::kExport, "alt");
  Load(TheSession->LoadTableFile, "b.qct", V5('A', "x]", Shifted));
  EXPECT_EQ(Header(ExportTable()), "QAVO CodeTab EXPORT [Courier New] ");
}

TEST_F(FileLoadTest, V5WithoutSignatureShowsItsLeadingText) {
  FillBoth();
  const TableState export_before(ExportTable());
  QByteArray image = V5('A', "] N", Shifted);
  std::memcpy(image.data(), "QAVO Codetab \xE4x", 15);
  image[15] = '\0';
  Load(TheSession->LoadTableFile, "bad.qct", image);
  EXPECT_EQ(Messages(), std::vector<QString>{About(kNoSignature + QString::fromUtf8("QAVO Codetab äx"), "bad.qct")});
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
}

TEST_F(FileLoadTest, RefusedLengthsChangeNothing) {
  FillBoth();
  ExportTable().Link(&ImportTable());
  ExportTable().SetActive(true);
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  struct Row {
    int Length;
    QString Message;
  };
  const Row rows[] = {{0, WrongLength(0)},       {255, WrongLength(255)}, {2177, WrongLength(2177)},
                      {3000, WrongLength(3000)}, {257, kUnknownFormat},   {300, kUnknownFormat},
                      {1087, kUnknownFormat},    {2175, kUnknownFormat}};
  for (const Row& row : rows) {
    prompter_->Clear();
    Load(TheSession->LoadTableFile, "f.tab", QByteArray(row.Length, 'x'));
    EXPECT_EQ(Messages(), std::vector<QString>{About(row.Message, "f.tab") + kLengths}) << row.Length;
    EXPECT_EQ(prompter_->CallsOf("message").at(0).Buttons, QStringList{"OK"});
    EXPECT_TRUE(TableState(ExportTable()) == export_before) << row.Length;
    EXPECT_TRUE(TableState(ImportTable()) == import_before) << row.Length;
  }
  // The length check comes before the forced kind.
  prompter_->Clear();
  Load(TheSession->LoadExport, "f.tab", QByteArray(255, 'x'));
  EXPECT_EQ(Messages(), std::vector<QString>{About(WrongLength(255), "f.tab") + kLengths});
}

TEST_F(FileLoadTest, UnreadableFileShowsTheFileErrorBox) {
  FillBoth();
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.tab")).constData(), 0600), 0);
  // A pipe without a writer and an endless device are refused unopened.
  for (const QString& path : {dir_.path(), Path("vanished.tab"), Path("pipe.tab"), QString("/dev/zero")}) {
    prompter_->Clear();
    prompter_->AnswerFile(path);
    TheSession->LoadTableFile->trigger();
    ASSERT_EQ(prompter_->Calls.size(), 2u) << path.toStdString();
    EXPECT_EQ(prompter_->Calls[1].Kind, "fileerror");
    EXPECT_EQ(prompter_->Calls[1].Title, "File Error");
    EXPECT_EQ(prompter_->Calls[1].Text, kFileError + "\nDatei: " + path);
    EXPECT_EQ(prompter_->Calls[1].Buttons, (QStringList{"OK", "Cancel"}));
  }
  prompter_->AnswerFile(Path("vanished.tab"));
  TheSession->LoadImport->trigger();
  EXPECT_EQ(prompter_->CallsOf("fileerror").size(), 2u);
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
}

TEST_F(FileLoadTest, CancelledDialogDoesNothing) {
  FillBoth();
  const TableState export_before(ExportTable());
  for (QAction* action : {TheSession->LoadTableFile, TheSession->LoadExport, TheSession->LoadImport}) action->trigger();
  EXPECT_EQ(prompter_->Calls.size(), 3u);
  EXPECT_TRUE(prompter_->CallsOf("open").size() == 3u);
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
}

TEST_F(FileLoadTest, LoadIntoAChainedPairLeavesThePartnerAndTheChain) {
  FillBoth();
  ExportTable().Link(&ImportTable());
  ExportTable().SetActive(true);
  const TableState import_before(ImportTable());
  Load(TheSession->LoadTableFile, "e.tab", ExportImage());
  EXPECT_EQ(Targets(ExportTable()), ImageTargets(ExportImage()));
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_EQ(ExportTable().IsActive(), 1);

  // The other table of the pair is loaded just as well, and nothing mirrors back.
  const TableState export_before(ExportTable());
  Load(TheSession->LoadTableFile, "i.tab", ImportImage());
  EXPECT_EQ(Targets(ImportTable()), ImageTargets(ImportImage()));
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
  EXPECT_EQ(ImportTable().Partner(), &ExportTable());
}

// The pair file is read as its two images, each as a file of its own.
TEST_F(FileLoadTest, V5PairLoadsBothImagesOrNeither) {
  FillBoth();
  ExportTable().Link(&ImportTable());
  ImportTable().SetActive(true);
  Load(TheSession->LoadTableFile, "pair.qct",
       V5('A', "] EXP", Shifted) + V5('E', "] IMP", [](int p) { return p == 5 ? 6 : -1; }));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Targets(ExportTable())[0xFF], 0);
  EXPECT_EQ(Header(ExportTable()), "QAVO CodeTab EXPORT [Courier New] EXP");
  EXPECT_EQ(ImportTable().CountAssigned(), 1);
  EXPECT_EQ(Header(ImportTable()), "QAVO CodeTab IMPORT [Courier New] IMP");
  EXPECT_EQ(ImportTable().Partner(), &ExportTable());
  EXPECT_EQ(ImportTable().IsActive(), 1);

  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  QByteArray broken = V5('I', "] X", Shifted);
  broken[0] = 'q';
  Load(TheSession->LoadTableFile, "half.qct", V5('A', "] NEU", [](int) { return 7; }) + broken);
  EXPECT_EQ(Messages(), std::vector<QString>{About(kNoSignature + "qAVO CodeTab I", "half.qct")});
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
}

// Everything saved comes back as it was.
class RoundTripTest : public FileLoadTest {
 protected:
  void ClearBoth() {
    ExportTable().Reset(false);
    ExportTable().BuildHeader(TableKind::kExport, "");
    ImportTable().Reset(false);
    ImportTable().BuildHeader(TableKind::kImport, "");
  }
};

TEST_F(RoundTripTest, UnixFiles) {
  for (int p = 0; p < 256; ++p) ExportTable().Assign(p, (p + 0x20) & 0xFF);
  ImportTable().BuildInverse(ExportTable());
  ExportTable().Link(&ImportTable());
  const std::vector<int> export_targets = Targets(ExportTable());
  const std::vector<int> import_targets = Targets(ImportTable());
  prompter_->AnswerFile(Path("e.tab"));
  prompter_->AnswerFile(Path("i.tab"));
  TheSession->SaveUnix->trigger();
  ClearBoth();
  prompter_->AnswerFile(Path("e.tab"));
  TheSession->LoadTableFile->trigger();
  prompter_->AnswerFile(Path("i.tab"));
  TheSession->LoadTableFile->trigger();
  EXPECT_EQ(Targets(ExportTable()), export_targets);
  EXPECT_EQ(Targets(ImportTable()), import_targets);
}

TEST_F(RoundTripTest, V3File) {
  for (int p = 0; p < 256; ++p) ExportTable().Assign(p, 255 - p);
  ImportTable().BuildInverse(ExportTable());
  ImportTable().Assign(3, 7);
  ExportTable().Link(&ImportTable());
  const std::vector<int> export_targets = Targets(ExportTable());
  const std::vector<int> import_targets = Targets(ImportTable());
  prompter_->AnswerFile(Path("pair.tab"));
  TheSession->SaveV3->trigger();
  ClearBoth();
  prompter_->AnswerFile(Path("pair.tab"));
  TheSession->LoadTableFile->trigger();
  EXPECT_EQ(Targets(ExportTable()), export_targets);
  EXPECT_EQ(Targets(ImportTable()), import_targets);
}

TEST_F(RoundTripTest, V5PairAndSingleKeepGapsAndNames) {
  ExportTable().Assign(0x41, 0xC1);
  ExportTable().Assign(0x42, 0xC1);
  ExportTable().BuildHeader(TableKind::kExport, "DIN");
  ImportTable().Assign(0xC1, 0x41);
  ImportTable().BuildHeader(TableKind::kImport, "Mein Name");
  ExportTable().Link(&ImportTable());
  const std::vector<int> export_targets = Targets(ExportTable());
  const std::vector<int> import_targets = Targets(ImportTable());
  const std::string export_header = ExportTable().Header();
  const std::string import_header = ImportTable().Header();
  prompter_->AnswerFile(Path("pair.qct"));
  TheSession->SaveV5->trigger();
  ClearBoth();
  prompter_->AnswerFile(Path("pair.qct"));
  TheSession->LoadTableFile->trigger();
  EXPECT_EQ(Targets(ExportTable()), export_targets);
  EXPECT_EQ(Targets(ImportTable()), import_targets);
  EXPECT_EQ(ExportTable().Header(), export_header);
  EXPECT_EQ(ImportTable().Header(), import_header);

  ExportTable().Link(nullptr);
  ImportTable().SetActive(true);
  prompter_->AnswerFile(Path("i.qct"));
  TheSession->SaveV5->trigger();
  ClearBoth();
  prompter_->AnswerFile(Path("i.qct"));
  TheSession->LoadTableFile->trigger();
  EXPECT_EQ(Targets(ImportTable()), import_targets);
  EXPECT_EQ(ImportTable().Header(), import_header);
  EXPECT_EQ(ExportTable().CountAssigned(), 0);
}

// Any file of any length through the three load commands: no crash, no read
// past the data, and a refusal leaves everything as it was.
TEST_F(FileLoadTest, AnyFileIsLoadedOrRefusedWithoutAChange) {
  FillBoth();
  ExportTable().Link(&ImportTable());
  ExportTable().SetActive(true);
  std::mt19937 random(1905);
  QAction* const actions[] = {TheSession->LoadTableFile, TheSession->LoadExport, TheSession->LoadImport};
  for (int length = 0; length <= 3000; ++length) {
    QByteArray bytes(length, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    const int which = length % 3;
    const bool accepted = length >= 256 && length <= 2176;
    bool loads_export = false;
    bool loads_import = false;
    size_t messages = accepted ? 0 : 1;
    if (accepted && which == 0) {
      if (length == 256) {
        loads_export = Byte(bytes, 32) == 0x40;
        loads_import = !loads_export && Byte(bytes, 64) == 0x20;
        messages = loads_export || loads_import ? 0 : 1;
      } else if (length == 512) {
        loads_export = loads_import = true;
      } else {
        messages = length == 2176 ? 2 : 1;
      }
    } else if (length == 256) {
      loads_export = which == 1;
      loads_import = which == 2;
    }
    const TableState export_before(ExportTable());
    const TableState import_before(ImportTable());
    prompter_->Clear();
    Load(actions[which], QString("any%1.bin").arg(length), bytes);
    ASSERT_EQ(prompter_->CallsOf("message").size(), messages) << length;
    if (!loads_export) {
      ASSERT_TRUE(TableState(ExportTable()) == export_before) << length;
    }
    if (!loads_import) {
      ASSERT_TRUE(TableState(ImportTable()) == import_before) << length;
    }
    if (loads_export) {
      ASSERT_EQ(Targets(ExportTable()), ImageTargets(bytes.right(256))) << length;
    }
    if (loads_import) {
      ASSERT_EQ(Targets(ImportTable()), ImageTargets(bytes.left(256))) << length;
    }
    ASSERT_EQ(ExportTable().Partner(), &ImportTable());
  }
}

// Command-line names are the system's bytes; a relative one names its table
// with the full path, as the tool does.
TEST_F(FileLoadTest, CommandLineNamesNeedNotBeUtf8AndAreNamedInFull) {
  const std::string folder = QFile::encodeName(dir_.path()).toStdString();
  QByteArray image = IdentityImage();
  image[64] = ' ';  // an IMPORT table
  std::ofstream(folder + "/t\xE4.tab", std::ios::binary).write(image.constData(), 256);
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  TheSession->OpenFiles({"t\xE4.tab"});
  std::filesystem::current_path(before);
  CodeTable named(TableKind::kImport);
  named.SetFontName("Courier New");
  named.BuildHeader(TableKind::kImport, Utf8ToLatin1(folder + "/t\xE4.tab").c_str());
  EXPECT_STREQ(ImportTable().Header(), named.Header());
  EXPECT_EQ(ImportTable().CountAssigned(), 256);
}

}  // namespace
