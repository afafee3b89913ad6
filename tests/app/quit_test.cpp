// Changed marks and the quit question: asked once, only when a table holds
// what no file holds.
#include <QTemporaryDir>

#include "support/session.h"
#include "ui/tablewindow.h"

namespace {

const QString ExportQuestion = QString::fromUtf8("EXPORT-Tabelle geändert und nicht gespeichert!\nTrotzdem beenden?");

class QuitQuestion : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    TheControl->show();
  }
  // "&Beenden" answered with OK or Abbrechen; true when the program ends.
  bool Quit(bool ok) {
    if (ok)
      prompter->AnswerOk();
    else
      prompter->AnswerCancel();
    TheSession->Quit->trigger();
    return !TheControl->isVisible();
  }
  std::vector<QString> Questions() const { return prompter->TextsOf("confirm"); }
  QTemporaryDir folder;
};

TEST_F(QuitQuestion, NothingAskedWithoutChanges) {
  TheSession->LoadDin.Both->trigger();
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
  EXPECT_FALSE(TheControl->isWindowModified());
  EXPECT_TRUE(Quit(false));
  EXPECT_TRUE(Questions().empty());
}

TEST_F(QuitQuestion, AbbrechenKeepsEverythingOkQuits) {
  TheSession->CommitPair(TableKind::kExport, 0x41, 0xC1);
  const CodeTable before = exportTable();
  EXPECT_FALSE(Quit(false));
  ASSERT_EQ(Questions(), std::vector<QString>{ExportQuestion});
  const PromptCall question = prompter->CallsOf("confirm").front();
  EXPECT_EQ(question.Title, QString::fromUtf8("Bestätigung"));
  EXPECT_EQ(question.Buttons, QStringList({"OK", "Abbrechen"}));
  EXPECT_EQ(exportTable().Target(0x41), before.Target(0x41));
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));

  // The close box asks the same, once.
  prompter->Clear();
  prompter->AnswerOk();
  TheControl->close();
  EXPECT_FALSE(TheControl->isVisible());
  EXPECT_EQ(Questions(), std::vector<QString>{ExportQuestion});
}

TEST_F(QuitQuestion, NamesTheChangedTables) {
  TheSession->CommitPair(TableKind::kImport, 0xC1, 0x41);
  EXPECT_FALSE(Quit(false));
  TheSession->CommitPair(TableKind::kExport, 0x41, 0xC1);
  EXPECT_TRUE(Quit(true));
  EXPECT_EQ(Questions(),
            (std::vector<QString>{
                QString::fromUtf8("IMPORT-Tabelle geändert und nicht gespeichert!\nTrotzdem beenden?"),
                QString::fromUtf8("EXPORT- und IMPORT-Tabelle geändert und nicht gespeichert!\nTrotzdem beenden?")}));
}

// Saved in a format that holds it, a table is no longer changed; a header
// file does not hold it. The captions carry the mark in Qt's way.
TEST_F(QuitQuestion, SavingClearsTheMark) {
  MakeExportActive();
  TheSession->CommitPair(TableKind::kExport, 0x41, 0xC1);
  TheSession->CommitPair(TableKind::kExport, 0x42, 0xC2);
  TableWindow& exportWindow = *TheControl->ExportWindow;
  EXPECT_TRUE(exportWindow.isWindowModified());
  EXPECT_FALSE(TheControl->ImportWindow->isWindowModified());
  EXPECT_TRUE(exportWindow.windowTitle().endsWith("] [*]"));
  EXPECT_TRUE(TheControl->isWindowModified());

  prompter->AnswerFile(folder.filePath("x.h"));
  prompter->AnswerOk();
  TheSession->SaveCHeader->trigger();
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));

  prompter->AnswerFile(folder.filePath("x.tab"));
  TheSession->SaveUnix->trigger();
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
  EXPECT_FALSE(exportWindow.isWindowModified());
  EXPECT_FALSE(TheControl->isWindowModified());
  // Undo goes back to what no file holds, and the mark with it.
  TheSession->Undo->trigger();
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));
  TheSession->Redo->trigger();
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
  prompter->Clear();
  EXPECT_TRUE(Quit(false));
  EXPECT_TRUE(Questions().empty());
}

// A table is changed while it differs from what it was last loaded or saved
// as: a load over edits leaves it unchanged, and nothing is asked.
TEST_F(QuitQuestion, ALoadedTableIsUnchangedWhateverItReplaced) {
  TheSession->LoadDin.Export->trigger();
  TheSession->CommitPair(TableKind::kExport, 0x41, 0x00);
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));
  TheSession->LoadUnix.Export->trigger();
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
  EXPECT_FALSE(TheControl->isWindowModified());
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kImport));
  // Back at the edit or at the former load, the table differs from the last load.
  TheSession->Undo->trigger();
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));
  TheSession->Undo->trigger();
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));
  TheSession->Redo->trigger();
  TheSession->Redo->trigger();
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
  EXPECT_TRUE(Quit(false));
  EXPECT_TRUE(Questions().empty());
}

}  // namespace
