// Appending the tables as C and Pascal declarations through the real
// actions: exact file bytes, the questions asked and failed appends.
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "support/session.h"
#include "support/tablefiles.h"

namespace {

struct Language {
  QAction* Session::*Action;
  std::string Rule;
  std::string Blank;
  std::string Open;
  std::string Close;
  std::string Const;  // printf format with the array name
  std::string Indent;
  const char* Value;
  std::string Separator;
  std::string End;
};

const Language kC = {&Session::SaveCHeader,
                     "/" + std::string(69, '*') + "/\n",
                     "/*" + std::string(67, ' ') + "*/\n",
                     "/* ",
                     " */\n",
                     "const unsigned char %s [256] = {\n",
                     "  ",
                     "0X%02X",
                     ",",
                     " };\n"};

const Language kPascal = {&Session::SavePascal,
                          "{" + std::string(69, '*') + "}\n",
                          "{*" + std::string(67, ' ') + "*}\n",
                          "{* ",
                          " *}\n",
                          "const %s : array [0..255] of byte = (\n",
                          "   ",
                          "$%02X",
                          ", ",
                          " );\n"};

// The declaration of one table whose stored code at p is code(p).
std::string Declaration(const Language& language, const std::string& header, const std::string& array_name,
                        const std::function<int(int)>& code) {
  char line[128];
  std::snprintf(line, sizeof line, language.Const.c_str(), array_name.c_str());
  std::string text =
      "\n" + language.Rule + language.Blank + language.Open + header + language.Close + language.Rule + "\n" + line;
  for (int row = 0; row < 16; ++row) {
    if (row > 0) text += ",\n";
    text += language.Indent;
    for (int i = 0; i < 16; ++i) {
      char value[8];
      std::snprintf(value, sizeof value, language.Value, code(16 * row + i));
      if (i > 0) text += language.Separator;
      text += value;
    }
  }
  return text + language.End;
}

int Identity(int p) { return p; }
int Times7(int p) { return (p * 7) & 0xFF; }

QString Incomplete(const CodeTable& table) {
  return "Tabelle: " + QString::fromLatin1(table.Header()) +
         QString::fromUtf8("\nist unvollständig!\nNicht zugeordnete Zeichen werden 1:1 übersetzt!");
}

QString NotWritten(const QString& file_name, const QString& reason, const QString& not_saved) {
  return "Datei: " + file_name + "\nkonnte nicht geschrieben werden (" + reason + ")!\n" + not_saved;
}

class HeaderExportTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath("tables.h");
  }
  // A complete pair: EXPORT named DIN with p -> 7p, IMPORT named "CP 273" with the identity.
  void FillNamedPair() {
    for (int p = 0; p < 256; ++p) {
      ExportTable().Assign(p, Times7(p));
      ImportTable().Assign(p, p);
    }
    ExportTable().BuildHeader(TableKind::kExport, "DIN");
    ImportTable().BuildHeader(TableKind::kImport, "CP 273");
  }
  std::string NamedPair(const Language& language) const {
    const bool c = &language == &kC;
    return Declaration(language, "QAVO CodeTab EXPORT [Courier New] DIN", c ? "Export_DIN" : "ExportDIN", Times7) +
           Declaration(language, "QAVO CodeTab IMPORT [Courier New] CP 273", c ? "Import_CP_273" : "ImportCP_273",
                       Identity);
  }
  void Run(const Language& language) { (TheSession->*language.Action)->trigger(); }
  std::vector<QString> InformationTexts() const { return prompter_->TextsOf("information"); }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(HeaderExportTest, CDeclarationsOfANamedPair) {
  FillNamedPair();
  prompter_->AnswerFile(path_);
  Run(kC);
  ASSERT_EQ(prompter_->Calls.size(), 1u);
  const FileDialogSettings& dialog = prompter_->Calls[0].Settings;
  EXPECT_EQ(dialog.Title, "C - Header Datei");
  EXPECT_EQ(dialog.Filter, "C Header (*.h)|*.h|Alle (*.*)|*.*");
  EXPECT_EQ(dialog.DefaultExt, "h");
  EXPECT_EQ(dialog.FileName, "");
  EXPECT_FALSE(dialog.OverwritePrompt);
  EXPECT_EQ(ReadBytes(path_).toStdString(), NamedPair(kC));
}

TEST_F(HeaderExportTest, PascalDeclarationsOfANamedPair) {
  FillNamedPair();
  TheSession->SaveDialog.FileName = "alt.hpp";
  TheSession->SaveDialog.OverwritePrompt = true;
  prompter_->AnswerFile(path_);
  Run(kPascal);
  const FileDialogSettings& dialog = prompter_->Calls.at(0).Settings;
  EXPECT_EQ(dialog.Title, "Pascal (Delphi) - Header Datei");
  EXPECT_EQ(dialog.Filter, "Pascal (Delphi) Header (*.hpp)|*.hpp|Alle (*.*)|*.*");
  EXPECT_EQ(dialog.DefaultExt, "hpp");
  EXPECT_EQ(dialog.FileName, "");
  EXPECT_FALSE(dialog.OverwritePrompt);
  EXPECT_EQ(ReadBytes(path_).toStdString(), NamedPair(kPascal));
}

TEST_F(HeaderExportTest, ConfirmedEmptyTablesAreTheIdentity) {
  ExportTable().Assign(5, 0);
  for (const Language* language : {&kC, &kPascal}) {
    prompter_->Clear();
    QFile::remove(path_);
    prompter_->AnswerFile(path_);
    prompter_->AnswerOk();
    prompter_->AnswerOk();
    Run(*language);
    ASSERT_EQ(prompter_->Calls.size(), 3u);
    EXPECT_EQ(prompter_->Calls[1].Kind, "confirm");
    EXPECT_EQ(prompter_->Calls[1].Text, Incomplete(ExportTable()));
    EXPECT_EQ(prompter_->Calls[2].Text, Incomplete(ImportTable()));
    const bool c = language == &kC;
    const std::string expected =
        Declaration(*language, "QAVO CodeTab EXPORT [Courier New] ", c ? "Export_" : "Export",
                    [](int p) { return p == 5 ? 0 : p; }) +
        Declaration(*language, "QAVO CodeTab IMPORT [Courier New] ", c ? "Import_" : "Import", Identity);
    EXPECT_EQ(ReadBytes(path_).toStdString(), expected);
  }
  EXPECT_NE(ReadBytes(path_).indexOf(", $00, $06"), -1);
}

TEST_F(HeaderExportTest, NamelessAndUnknownKindPrefixes) {
  FillNamedPair();
  ExportTable().SetFontName("");
  ExportTable().BuildHeader(TableKind::kExport, "DIN");
  const CodeTable filled = ImportTable();
  ImportTable().Reset(true);
  ImportTable().LoadEntries(filled.Entries());
  ImportTable().BuildHeader(TableKind::kUnknown, "X");
  prompter_->AnswerFile(path_);
  Run(kC);
  EXPECT_EQ(ReadBytes(path_).toStdString(),
            Declaration(kC, "QAVO CodeTab EXPORT DIN", "Export_", Times7) +
                Declaration(kC, "QAVO CodeTab USER   [Courier New] X", "Unknown_X", Identity));
}

TEST_F(HeaderExportTest, AppendingTwiceAsksAndKeepsBoth) {
  FillNamedPair();
  prompter_->AnswerFile(path_);
  Run(kC);
  prompter_->Clear();
  prompter_->AnswerFile(path_);
  prompter_->AnswerOk();
  Run(kC);
  ASSERT_EQ(prompter_->Calls.size(), 2u);
  EXPECT_EQ(prompter_->Calls[1].Kind, "confirm");
  EXPECT_EQ(prompter_->Calls[1].Text,
            "Datei: " + path_ + QString::fromUtf8(" ist vorhanden!\nNeue Deklaration wird angehängt"));
  EXPECT_EQ(ReadBytes(path_).toStdString(), NamedPair(kC) + NamedPair(kC));
}

TEST_F(HeaderExportTest, ExistingFileLeftAloneWhenTheQuestionIsCancelled) {
  FillNamedPair();
  WriteBytes(path_, "// alt\n");
  prompter_->AnswerFile(path_);
  prompter_->AnswerCancel();
  Run(kPascal);
  EXPECT_EQ(prompter_->Calls.size(), 2u);
  EXPECT_EQ(ReadBytes(path_), "// alt\n");
}

TEST_F(HeaderExportTest, DeclinedIncompleteTableIsSkippedAndReported) {
  FillNamedPair();
  ExportTable().Unassign(0);
  WriteBytes(path_, "// alt\n");
  prompter_->AnswerFile(path_);
  prompter_->AnswerOk();
  prompter_->AnswerCancel();
  Run(kC);
  EXPECT_EQ(InformationTexts(), std::vector<QString>{"EXPORT-Tabelle nicht gespeichert!"});
  EXPECT_EQ(ReadBytes(path_).toStdString(),
            "// alt\n" + Declaration(kC, "QAVO CodeTab IMPORT [Courier New] CP 273", "Import_CP_273", Identity));

  // Neither table: both are reported and no file is made.
  prompter_->Clear();
  ImportTable().Unassign(0);
  const QString fresh = dir_.filePath("neu.h");
  prompter_->AnswerFile(fresh);
  prompter_->AnswerCancel();
  prompter_->AnswerCancel();
  Run(kC);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{"EXPORT-Tabelle nicht gespeichert!", "IMPORT-Tabelle nicht gespeichert!"}));
  EXPECT_FALSE(QFile::exists(fresh));
}

// Failed appends are reported with the file's name and leave it as it was.
TEST_F(HeaderExportTest, FailedAppendLeavesTheFileAsItWas) {
  FillNamedPair();
  WriteBytes(path_, "// alt\n");
  {
    const FileSizeLimit limit(1000);
    prompter_->AnswerFile(path_);
    prompter_->AnswerOk();
    Run(kC);
  }
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(path_, "Datei zu groß", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(path_, "Datei zu groß", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_EQ(ReadBytes(path_), "// alt\n");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"tables.h"});
}

TEST_F(HeaderExportTest, FileThatCannotBeMadeReportsBothTablesWithoutQuestions) {
  const QString missing = dir_.filePath("fehlt/tables.h");
  prompter_->AnswerFile(missing);
  Run(kPascal);
  EXPECT_EQ(prompter_->Calls.size(), 3u);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(missing, "nicht gefunden", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(missing, "nicht gefunden", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_FALSE(QFile::exists(missing));

  prompter_->Clear();
  ASSERT_TRUE(QDir(dir_.path()).mkdir("ordner.h"));
  const QString folder = dir_.filePath("ordner.h");
  prompter_->AnswerFile(folder);
  prompter_->AnswerOk();
  Run(kC);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(folder, "ist ein Verzeichnis", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(folder, "ist ein Verzeichnis", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(HeaderExportTest, APipeIsNotWaitedForButReported) {
  FillNamedPair();
  ASSERT_EQ(mkfifo(QFile::encodeName(path_).constData(), 0600), 0);
  prompter_->AnswerFile(path_);
  prompter_->AnswerOk();
  Run(kPascal);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(path_, "keine reguläre Datei", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(path_, "keine reguläre Datei", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_FALSE(QFileInfo(path_).isFile());
}

// A line another program adds while a question is open stays before the
// new declaration.
class AppendingWhileAsked : public ScriptedPrompter {
 public:
  QString File;
  bool Confirm(const QString& text) override {
    QFile file(File);
    if (file.open(QIODevice::Append)) file.write("// dazu\n");
    return ScriptedPrompter::Confirm(text);
  }
};

TEST_F(HeaderExportTest, TheFormerContentIsCopiedAfterTheQuestions) {
  FillNamedPair();
  ImportTable().Unassign(9);
  auto asking = std::make_unique<AppendingWhileAsked>();
  asking->File = path_;
  prompter_ = asking.get();
  TheSession->SetPrompter(std::move(asking));
  WriteBytes(path_, "// alt\n");
  prompter_->AnswerFile(path_);
  prompter_->AnswerOk();
  Run(kC);
  EXPECT_EQ(
      ReadBytes(path_).toStdString(),
      "// alt\n// dazu\n// dazu\n" + Declaration(kC, "QAVO CodeTab EXPORT [Courier New] DIN", "Export_DIN", Times7));
}

TEST_F(HeaderExportTest, TablesAreNotChanged) {
  FillNamedPair();
  ExportTable().Unassign(9);
  const TableState export_before(ExportTable());
  const TableState import_before(ImportTable());
  prompter_->AnswerFile(path_);
  prompter_->AnswerOk();
  Run(kC);
  prompter_->AnswerFile(dir_.filePath("t.hpp"));
  prompter_->AnswerOk();
  Run(kPascal);
  EXPECT_TRUE(TableState(ExportTable()) == export_before);
  EXPECT_TRUE(TableState(ImportTable()) == import_before);
}

}  // namespace
