// Changed marks and the quit question: asked once, only when a table holds
// what no file holds.
#include <QTemporaryDir>

#include "support/session.h"
#include "ui/tablewindow.h"

namespace {

const QString kExportQuestion = QString::fromUtf8("EXPORT-Tabelle geändert und nicht gespeichert!\nTrotzdem beenden?");

class QuitQuestion : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    TheControl->show();
  }
  // "&Beenden" answered with OK or Abbrechen; true when the program ends.
  bool Quit(bool ok) {
    if (ok)
      prompter_->AnswerOk();
    else
      prompter_->AnswerCancel();
    TheSession->Quit->trigger();
    return !TheControl->isVisible();
  }
  std::vector<QString> Questions() const { return prompter_->TextsOf("confirm"); }
  QTemporaryDir folder_;
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
  const CodeTable before = ExportTable();
  EXPECT_FALSE(Quit(false));
  ASSERT_EQ(Questions(), std::vector<QString>{kExportQuestion});
  const PromptCall question = prompter_->CallsOf("confirm").front();
  EXPECT_EQ(question.Title, QString::fromUtf8("Bestätigung"));
  EXPECT_EQ(question.Buttons, QStringList({"OK", "Abbrechen"}));
  EXPECT_EQ(ExportTable().Target(0x41), before.Target(0x41));
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));

  // The close box asks the same, once.
  prompter_->Clear();
  prompter_->AnswerOk();
  TheControl->close();
  EXPECT_FALSE(TheControl->isVisible());
  EXPECT_EQ(Questions(), std::vector<QString>{kExportQuestion});
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
  TableWindow& export_window = *TheControl->ExportWindow;
  EXPECT_TRUE(export_window.isWindowModified());
  EXPECT_FALSE(TheControl->ImportWindow->isWindowModified());
  EXPECT_TRUE(export_window.windowTitle().endsWith("] [*]"));
  EXPECT_TRUE(TheControl->isWindowModified());

  prompter_->AnswerFile(folder_.filePath("x.h"));
  prompter_->AnswerOk();
  TheSession->SaveCHeader->trigger();
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));

  prompter_->AnswerFile(folder_.filePath("x.tab"));
  TheSession->SaveUnix->trigger();
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
  EXPECT_FALSE(export_window.isWindowModified());
  EXPECT_FALSE(TheControl->isWindowModified());
  // Undo goes back to what no file holds, and the mark with it.
  TheSession->Undo->trigger();
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));
  TheSession->Redo->trigger();
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
  prompter_->Clear();
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
