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

const Language C = {&Session::SaveCHeader,
                    "/" + std::string(69, '*') + "/\n",
                    "/*" + std::string(67, ' ') + "*/\n",
                    "/* ",
                    " */\n",
                    "const unsigned char %s [256] = {\n",
                    "  ",
                    "0X%02X",
                    ",",
                    " };\n"};

const Language Pascal = {&Session::SavePascal,
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
std::string Declaration(const Language& language, const std::string& header, const std::string& arrayName,
                        const std::function<int(int)>& code) {
  char line[128];
  std::snprintf(line, sizeof line, language.Const.c_str(), arrayName.c_str());
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

QString NotWritten(const QString& fileName, const QString& reason, const QString& notSaved) {
  return "Datei: " + fileName + "\nkonnte nicht geschrieben werden (" + reason + ")!\n" + notSaved;
}

class HeaderExportTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    path = dir.filePath("tables.h");
  }
  // A complete pair: EXPORT named DIN with p -> 7p, IMPORT named "CP 273" with the identity.
  void FillNamedPair() {
    for (int p = 0; p < 256; ++p) {
      exportTable().Assign(p, Times7(p));
      importTable().Assign(p, p);
    }
    exportTable().BuildHeader(TableKind::kExport, "DIN");
    importTable().BuildHeader(TableKind::kImport, "CP 273");
  }
  std::string NamedPair(const Language& language) const {
    const bool c = &language == &C;
    return Declaration(language, "QAVO CodeTab EXPORT [Courier New] DIN", c ? "Export_DIN" : "ExportDIN", Times7) +
           Declaration(language, "QAVO CodeTab IMPORT [Courier New] CP 273", c ? "Import_CP_273" : "ImportCP_273",
                       Identity);
  }
  void Run(const Language& language) { (TheSession->*language.Action)->trigger(); }
  std::vector<QString> InformationTexts() const { return prompter->TextsOf("information"); }

  QTemporaryDir dir;
  QString path;
};

TEST_F(HeaderExportTest, CDeclarationsOfANamedPair) {
  FillNamedPair();
  prompter->AnswerFile(path);
  Run(C);
  ASSERT_EQ(prompter->Calls.size(), 1u);
  const FileDialogSettings& dialog = prompter->Calls[0].Settings;
  EXPECT_EQ(dialog.Title, "C - Header Datei");
  EXPECT_EQ(dialog.Filter, "C Header (*.h)|*.h|Alle (*.*)|*.*");
  EXPECT_EQ(dialog.DefaultExt, "h");
  EXPECT_EQ(dialog.FileName, "");
  EXPECT_FALSE(dialog.OverwritePrompt);
  EXPECT_EQ(ReadBytes(path).toStdString(), NamedPair(C));
}

TEST_F(HeaderExportTest, PascalDeclarationsOfANamedPair) {
  FillNamedPair();
  TheSession->SaveDialog.FileName = "alt.hpp";
  TheSession->SaveDialog.OverwritePrompt = true;
  prompter->AnswerFile(path);
  Run(Pascal);
  const FileDialogSettings& dialog = prompter->Calls.at(0).Settings;
  EXPECT_EQ(dialog.Title, "Pascal (Delphi) - Header Datei");
  EXPECT_EQ(dialog.Filter, "Pascal (Delphi) Header (*.hpp)|*.hpp|Alle (*.*)|*.*");
  EXPECT_EQ(dialog.DefaultExt, "hpp");
  EXPECT_EQ(dialog.FileName, "");
  EXPECT_FALSE(dialog.OverwritePrompt);
  EXPECT_EQ(ReadBytes(path).toStdString(), NamedPair(Pascal));
}

TEST_F(HeaderExportTest, ConfirmedEmptyTablesAreTheIdentity) {
  exportTable().Assign(5, 0);
  for (const Language* language : {&C, &Pascal}) {
    prompter->Clear();
    QFile::remove(path);
    prompter->AnswerFile(path);
    prompter->AnswerOk();
    prompter->AnswerOk();
    Run(*language);
    ASSERT_EQ(prompter->Calls.size(), 3u);
    EXPECT_EQ(prompter->Calls[1].Kind, "confirm");
    EXPECT_EQ(prompter->Calls[1].Text, Incomplete(exportTable()));
    EXPECT_EQ(prompter->Calls[2].Text, Incomplete(importTable()));
    const bool c = language == &C;
    const std::string expected =
        Declaration(*language, "QAVO CodeTab EXPORT [Courier New] ", c ? "Export_" : "Export",
                    [](int p) { return p == 5 ? 0 : p; }) +
        Declaration(*language, "QAVO CodeTab IMPORT [Courier New] ", c ? "Import_" : "Import", Identity);
    EXPECT_EQ(ReadBytes(path).toStdString(), expected);
  }
  EXPECT_NE(ReadBytes(path).indexOf(", $00, $06"), -1);
}

TEST_F(HeaderExportTest, NamelessAndUnknownKindPrefixes) {
  FillNamedPair();
  exportTable().SetFontName("");
  exportTable().BuildHeader(TableKind::kExport, "DIN");
  const CodeTable filled = importTable();
  importTable().Reset(true);
  importTable().LoadEntries(filled.Entries());
  importTable().BuildHeader(TableKind::kUnknown, "X");
  prompter->AnswerFile(path);
  Run(C);
  EXPECT_EQ(ReadBytes(path).toStdString(),
            Declaration(C, "QAVO CodeTab EXPORT DIN", "Export_", Times7) +
                Declaration(C, "QAVO CodeTab USER   [Courier New] X", "Unknown_X", Identity));
}

TEST_F(HeaderExportTest, AppendingTwiceAsksAndKeepsBoth) {
  FillNamedPair();
  prompter->AnswerFile(path);
  Run(C);
  prompter->Clear();
  prompter->AnswerFile(path);
  prompter->AnswerOk();
  Run(C);
  ASSERT_EQ(prompter->Calls.size(), 2u);
  EXPECT_EQ(prompter->Calls[1].Kind, "confirm");
  EXPECT_EQ(prompter->Calls[1].Text,
            "Datei: " + path + QString::fromUtf8(" ist vorhanden!\nNeue Deklaration wird angehängt"));
  EXPECT_EQ(ReadBytes(path).toStdString(), NamedPair(C) + NamedPair(C));
}

TEST_F(HeaderExportTest, ExistingFileLeftAloneWhenTheQuestionIsCancelled) {
  FillNamedPair();
  WriteBytes(path, "// alt\n");
  prompter->AnswerFile(path);
  prompter->AnswerCancel();
  Run(Pascal);
  EXPECT_EQ(prompter->Calls.size(), 2u);
  EXPECT_EQ(ReadBytes(path), "// alt\n");
}

TEST_F(HeaderExportTest, DeclinedIncompleteTableIsSkippedAndReported) {
  FillNamedPair();
  exportTable().Unassign(0);
  WriteBytes(path, "// alt\n");
  prompter->AnswerFile(path);
  prompter->AnswerOk();
  prompter->AnswerCancel();
  Run(C);
  EXPECT_EQ(InformationTexts(), std::vector<QString>{"EXPORT-Tabelle nicht gespeichert!"});
  EXPECT_EQ(ReadBytes(path).toStdString(),
            "// alt\n" + Declaration(C, "QAVO CodeTab IMPORT [Courier New] CP 273", "Import_CP_273", Identity));

  // Neither table: both are reported and no file is made.
  prompter->Clear();
  importTable().Unassign(0);
  const QString fresh = dir.filePath("neu.h");
  prompter->AnswerFile(fresh);
  prompter->AnswerCancel();
  prompter->AnswerCancel();
  Run(C);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{"EXPORT-Tabelle nicht gespeichert!", "IMPORT-Tabelle nicht gespeichert!"}));
  EXPECT_FALSE(QFile::exists(fresh));
}

// Failed appends are reported with the file's name and leave it as it was.
TEST_F(HeaderExportTest, FailedAppendLeavesTheFileAsItWas) {
  FillNamedPair();
  WriteBytes(path, "// alt\n");
  {
    const FileSizeLimit limit(1000);
    prompter->AnswerFile(path);
    prompter->AnswerOk();
    Run(C);
  }
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(path, "Datei zu groß", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(path, "Datei zu groß", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_EQ(ReadBytes(path), "// alt\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"tables.h"});
}

TEST_F(HeaderExportTest, FileThatCannotBeMadeReportsBothTablesWithoutQuestions) {
  const QString missing = dir.filePath("fehlt/tables.h");
  prompter->AnswerFile(missing);
  Run(Pascal);
  EXPECT_EQ(prompter->Calls.size(), 3u);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(missing, "nicht gefunden", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(missing, "nicht gefunden", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_FALSE(QFile::exists(missing));

  prompter->Clear();
  ASSERT_TRUE(QDir(dir.path()).mkdir("ordner.h"));
  const QString folder = dir.filePath("ordner.h");
  prompter->AnswerFile(folder);
  prompter->AnswerOk();
  Run(C);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(folder, "ist ein Verzeichnis", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(folder, "ist ein Verzeichnis", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(HeaderExportTest, APipeIsNotWaitedForButReported) {
  FillNamedPair();
  ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  prompter->AnswerFile(path);
  prompter->AnswerOk();
  Run(Pascal);
  EXPECT_EQ(InformationTexts(),
            (std::vector<QString>{NotWritten(path, "keine reguläre Datei", "EXPORT-Tabelle nicht gespeichert!"),
                                  NotWritten(path, "keine reguläre Datei", "IMPORT-Tabelle nicht gespeichert!")}));
  EXPECT_FALSE(QFileInfo(path).isFile());
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
  importTable().Unassign(9);
  auto asking = std::make_unique<AppendingWhileAsked>();
  asking->File = path;
  prompter = asking.get();
  TheSession->SetPrompter(std::move(asking));
  WriteBytes(path, "// alt\n");
  prompter->AnswerFile(path);
  prompter->AnswerOk();
  Run(C);
  EXPECT_EQ(
      ReadBytes(path).toStdString(),
      "// alt\n// dazu\n// dazu\n" + Declaration(C, "QAVO CodeTab EXPORT [Courier New] DIN", "Export_DIN", Times7));
}

TEST_F(HeaderExportTest, TablesAreNotChanged) {
  FillNamedPair();
  exportTable().Unassign(9);
  const TableState exportBefore(exportTable());
  const TableState importBefore(importTable());
  prompter->AnswerFile(path);
  prompter->AnswerOk();
  Run(C);
  prompter->AnswerFile(dir.filePath("t.hpp"));
  prompter->AnswerOk();
  Run(Pascal);
  EXPECT_TRUE(TableState(exportTable()) == exportBefore);
  EXPECT_TRUE(TableState(importTable()) == importBefore);
}

}  // namespace
