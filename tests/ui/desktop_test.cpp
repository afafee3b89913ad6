// The program as a desktop user meets it: Ctrl+Entf in a chained pair,
// the shortcuts in every field, files dropped on the
// windows or named on the command line, and the folder the dialogs start in.
#include <sys/stat.h>

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "files/formats.h"
#include "support/drawncells.h"
#include "support/session.h"
#include "ui/entryeditor.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

std::vector<std::string> Native(const QStringList& names) {
  std::vector<std::string> paths;
  for (const QString& name : names) paths.push_back(QFile::encodeName(name).toStdString());
  return paths;
}

const QString kFileError = "Can't perform one of the following file operations: Open, Seek, Read, Close.";

class Desktop : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(folder_.isValid());
    exp_ = TheControl->ExportEditor;
    ASSERT_TRUE(ShowControlWindow());
  }

  // A V5 file of one table with 'A' mapped to code.
  QString V5File(const QString& name, TableKind kind, int code) {
    CodeTable table(kind);
    table.Assign('A', code);
    const std::vector<uint8_t> image = V5Image(table, kind);
    QFile file(folder_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<qint64>(image.size()));
    return file.fileName();
  }

  void Drop(QWidget* window, const QList<QUrl>& urls, const QString& text = QString()) {
    QMimeData data;
    if (!urls.isEmpty()) data.setUrls(urls);
    if (!text.isEmpty()) data.setText(text);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
  }

  std::vector<QString> Messages() const {
    std::vector<QString> texts;
    for (const PromptCall& call : prompter_->Calls)
      if (call.Kind == "message" || call.Kind == "fileerror") texts.push_back(call.Text);
    return texts;
  }

  EntryEditor* exp_ = nullptr;
  QTemporaryDir folder_;
};

// A -> C2 and B -> C2 with IMPORT C2 -> B: removing A in the EXPORT editor
// leaves B's inverse and B's proof.
TEST_F(Desktop, CtrlEntfKeepsTheEntryOfAnotherPosition) {
  ExportTable().Assign('A', 0xC2);
  ExportTable().Assign('B', 0xC2);
  ImportTable().Assign(0xC2, 'B');
  TheSession->ChainTablesAction->trigger();
  exp_->SourceChar()->setFocus();
  ASSERT_TRUE(exp_->IsActive());
  QTest::keyClick(exp_->SourceChar(), 'A');
  ASSERT_EQ(exp_->SourceHex()->text(), "41");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ControlModifier);

  EXPECT_EQ(ExportTable().Target('A'), -1);
  EXPECT_EQ(ImportTable().Target(0xC2), 'B');
  EXPECT_EQ(ExportTable().IsProven('B'), 1);
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig: 41 entfernen"));
}

// The program's shortcuts win in every field, also in the EXPORT Alpha field
// that has the focus after Enter; other Ctrl letters type control characters.
TEST_F(Desktop, ShortcutsWinInEveryFieldOtherCtrlLettersType) {
  exp_->SourceChar()->setFocus();
  QTest::keyClick(exp_->SourceChar(), 'A');
  QTest::keyClicks(exp_->TargetHex(), "C1");
  QTest::keyClick(exp_->TargetHex(), Qt::Key_Return);
  ASSERT_EQ(QApplication::focusWidget(), exp_->SourceChar());
  QTest::keyClick(exp_->SourceChar(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ExportTable().Target(0x41), -1);
  EXPECT_EQ(exp_->SourceHex()->text(), "41");
  QTest::keyClick(exp_->TargetChar(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ExportTable().Target(0x41), 0xC1);
  QTest::keyClick(exp_->SourceChar(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(prompter_->CallsOf("open").size(), 1u);
  exp_->SourceChar()->setFocus();
  QTest::keyClick(exp_->SourceChar(), Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(exp_->SourceHex()->text(), "02");
}

// In a focused grid the arrows step as Ctrl+arrows do in the editor, Enter
// goes on to that table's editor and Escape back to the control window.
TEST_F(Desktop, TheGridByKeyboard) {
  QWidget* cells = TheControl->ImportWindow->Grid->Cells;
  const auto focus_grid = [cells] {
    QApplication::setActiveWindow(cells->window());
    cells->setFocus();
    return QTest::qWaitForWindowActive(cells->window());
  };
  ASSERT_TRUE(focus_grid());
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left})
    QTest::keyClick(cells, key);
  EXPECT_EQ(TheControl->ImportEditor->SourceHex()->text(), "FE");
  EXPECT_TRUE(ShownSelected(*TheControl->ImportWindow->Grid, (0xE + 1) * kGridSide + 0xF + 1));  // row F0, column 0E
  EXPECT_TRUE(ImportTable().IsActive() && cells->hasFocus());
  QTest::keyClick(cells, Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitForWindowActive(TheControl));
  EXPECT_EQ(QApplication::focusWidget(), TheControl->ImportEditor->TargetChar());
  ASSERT_TRUE(focus_grid());
  QTest::keyClick(cells, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitForWindowActive(TheControl));
}

TEST_F(Desktop, ShortcutsShowInTheMenus) {
  EXPECT_EQ(TheSession->Undo->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_EQ(TheSession->Redo->shortcuts(), QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
  EXPECT_EQ(TheSession->LoadTableFile->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(TheSession->Print->shortcut(), QKeySequence("Ctrl+P"));
  EXPECT_EQ(TheSession->Quit->shortcut(), QKeySequence("Ctrl+Q"));
}

// One table file dropped on any window loads as "&automatische Erkennung ...";
// anything else is refused and changes nothing.
TEST_F(Desktop, DroppedFiles) {
  const QString export_file = V5File("EXPORT.qct", TableKind::kExport, 0xC1);
  const QString import_file = V5File("IMPORT.qct", TableKind::kImport, 0xC2);
  for (QLineEdit* field : {exp_->SourceChar(), exp_->TargetChar(), exp_->SourceHex(), exp_->TargetHex()})
    EXPECT_FALSE(field->acceptDrops());

  Drop(TheControl, {QUrl::fromLocalFile(export_file), QUrl::fromLocalFile(import_file)});
  Drop(TheControl->ImportWindow, {QUrl::fromLocalFile(folder_.path())});
  Drop(TheControl->ExportWindow, {QUrl("https://example.org/EXPORT.qct")});
  Drop(TheControl, {}, "EXPORT.qct");
  EXPECT_EQ(Messages(), (std::vector<QString>{"Bitte nur eine Tabellendatei ablegen!",
                                              "Ein Ordner kann nicht als Tabelle geladen werden!",
                                              QString::fromUtf8("Nur Dateien können als Tabelle geladen werden!"),
                                              QString::fromUtf8("Nur Dateien können als Tabelle geladen werden!")}));
  EXPECT_EQ(TheSession->UndoStack->count(), 0);

  Drop(TheControl->ImportWindow, {QUrl::fromLocalFile(export_file)});
  EXPECT_EQ(ExportTable().Target('A'), 0xC1);
  Drop(TheControl, {QUrl::fromLocalFile(import_file)});
  EXPECT_EQ(ImportTable().Target('A'), 0xC2);
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig: IMPORT.qct laden"));
}

// qcte FILE [FILE]: each file by its recognition, with the dialog's
// messages for the refused ones.
TEST_F(Desktop, CommandLine) {
  const QString fifo = folder_.filePath("pipe.qct");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  QFile short_file(folder_.filePath("short.tab"));
  ASSERT_TRUE(short_file.open(QIODevice::WriteOnly));
  short_file.write(QByteArray(100, 'x'));
  short_file.close();
  TheSession->OpenFiles(Native({folder_.filePath("missing.qct"), folder_.path(), fifo, short_file.fileName()}));
  const auto about = [](const QString& message, const QString& file) { return message + "\nDatei: " + file; };
  EXPECT_EQ(Messages(), (std::vector<QString>{
                            about(kFileError, folder_.filePath("missing.qct")), about(kFileError, folder_.path()),
                            about(kFileError, fifo),
                            about(QString::fromUtf8("Datei nicht erkannt: falsche Länge 100"), short_file.fileName()) +
                                "\nTabellendateien haben 256, 512, 1088 oder 2176 Bytes."}));
  EXPECT_EQ(ExportTable().CountAssigned() + ImportTable().CountAssigned(), 0);

  TheSession->OpenFiles(
      Native({V5File("EXPORT.qct", TableKind::kExport, 0xC1), V5File("IMPORT.qct", TableKind::kImport, 0xC2)}));
  EXPECT_EQ(ExportTable().Target('A'), 0xC1);
  EXPECT_EQ(ImportTable().Target('A'), 0xC2);
  EXPECT_FALSE(TheSession->IsChanged(TableKind::kExport));
}

// The dialogs start in the folder of the last file loaded or saved.
TEST_F(Desktop, DialogsRememberTheFolder) {
  QTemporaryDir other;
  TheSession->OpenFiles(Native({V5File("EXPORT.qct", TableKind::kExport, 0xC1)}));
  TheSession->LoadTableFile->trigger();
  ASSERT_EQ(prompter_->CallsOf("open").size(), 1u);
  EXPECT_EQ(prompter_->CallsOf("open")[0].Settings.Folder, folder_.path());

  TheSession->ChainTablesAction->trigger();
  prompter_->AnswerFile(other.filePath("pair.qct"));
  TheSession->SaveV5->trigger();
  EXPECT_EQ(prompter_->CallsOf("save")[0].Settings.Folder, folder_.path());
  TheSession->LoadTableFile->trigger();
  EXPECT_EQ(prompter_->CallsOf("open")[1].Settings.Folder, other.path());
}

}  // namespace
