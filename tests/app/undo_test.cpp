// Undo and redo as a property: seeded random runs of every command that
// changes the tables, with saves and loads between them. Undoing every step
// brings back the start in every field, redoing every step the end, and at
// every step the changed marks agree with a model of what each table held
// when it was saved or loaded.
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <random>

#include "model/tablecontent.h"
#include "support/session.h"
#include "support/tablechecks.h"
#include "ui/entryeditor.h"

namespace {

struct PairState {
  CodeTable Export;
  CodeTable Import;
};

PairState Now() { return {*TheSession->ExportTable, *TheSession->ImportTable}; }

std::string StateDifference(const PairState& expected) {
  const std::string export_difference = RecordDifference(*TheSession->ExportTable, expected.Export);
  if (!export_difference.empty()) return "EXPORT " + export_difference;
  const std::string import_difference = RecordDifference(*TheSession->ImportTable, expected.Import);
  if (!import_difference.empty()) return "IMPORT " + import_difference;
  if (TheSession->ChainTablesAction->isChecked() != (TheSession->ExportTable->Partner() != nullptr))
    return "chain check mark";
  return std::string();
}

// What each table held when it was last saved or loaded (at start: empty):
// a table that holds something else is changed.
struct MarksModel {
  TableContent SavedExport{*TheSession->ExportTable};
  TableContent SavedImport{*TheSession->ImportTable};

  void Hold(TableKind kind) {
    (kind == TableKind::kExport ? SavedExport : SavedImport) = TableContent(TheSession->Table(kind));
  }
  bool IsChanged(TableKind kind) {
    return TableContent(TheSession->Table(kind)) != (kind == TableKind::kExport ? SavedExport : SavedImport);
  }
};

class RandomRun {
 public:
  RandomRun(uint32_t seed, ScriptedPrompter& prompter, const QString& folder)
      : random_(seed), prompter_(prompter), folder_(folder) {}

  // One step: a command, an undo or redo, a save or a change of the active
  // table. Returns what it did and, after an undo or redo, what differs
  // from the state that step should bring back.
  std::string Step(std::string& fault) {
    prompter_.Clear();
    const int kind = Below(100);
    if (kind < 8) return UndoOrRedo(true, fault);
    if (kind < 13) return UndoOrRedo(false, fault);
    if (kind < 18) {
      (Below(2) ? TheControl->ExportEditor : TheControl->ImportEditor)->MakeActive();
      return "switch the active table";
    }
    if (kind < 28) return Save();
    return Command();
  }

  MarksModel Marks;
  // The states before and after each step on the undo stack.
  std::vector<PairState> Before;
  std::vector<PairState> After;

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::string UndoOrRedo(bool undo, std::string& fault) {
    QUndoStack& stack = *TheSession->UndoStack;
    const int index = stack.index();
    (undo ? TheSession->Undo : TheSession->Redo)->trigger();
    if (undo && index > 0) fault = StateDifference(Before[static_cast<size_t>(index - 1)]);
    if (!undo && index < stack.count()) fault = StateDifference(After[static_cast<size_t>(index)]);
    return undo ? "undo" : "redo";
  }

  QString NewFile(const QString& extension) { return QString("%1/f%2.%3").arg(folder_).arg(++files_).arg(extension); }

  // Each save dialog is answered with a new file; the dialog's proposed
  // name says which table it saves, and the file says whether it did.
  std::string Save() {
    static const char* const kNames[] = {"SaveUnix", "SaveV3", "SaveV5", "SaveCHeader"};
    const std::string name = kNames[Below(4)];
    QAction* action = TheSession->findChild<QAction*>(QString::fromStdString(name));
    std::vector<QString> answers;
    for (int i = 0; i < 2; ++i) {
      answers.push_back(NewFile(name == "SaveCHeader" ? "h" : "tab"));
      prompter_.AnswerFile(answers.back());
    }
    prompter_.AnswerOk();
    prompter_.AnswerOk();
    action->trigger();
    const std::vector<PromptCall> saves = prompter_.CallsOf("save");
    for (size_t i = 0; i < saves.size() && i < answers.size(); ++i) {
      if (name == "SaveCHeader" || !QFileInfo::exists(answers[i])) continue;
      const QString proposed = saves[i].Settings.FileName;
      if (!proposed.endsWith("Import")) Marks.Hold(TableKind::kExport);
      if (!proposed.endsWith("Export")) Marks.Hold(TableKind::kImport);
    }
    return name;
  }

  std::string Command() {
    const PairState before = Now();
    const int index = TheSession->UndoStack->index();
    const TableContent export_before(*TheSession->ExportTable);
    const TableContent import_before(*TheSession->ImportTable);
    bool load = false;
    const std::string text = RunCommand(load);
    if (load) {
      if (TableContent(*TheSession->ExportTable) != export_before) Marks.Hold(TableKind::kExport);
      if (TableContent(*TheSession->ImportTable) != import_before) Marks.Hold(TableKind::kImport);
    }
    if (TheSession->UndoStack->index() == index + 1) {
      Before.resize(static_cast<size_t>(index), before);
      After.resize(static_cast<size_t>(index), before);
      Before.push_back(before);
      After.push_back(Now());
    }
    return text;
  }

  // Positions and codes from a few rows, so that pairs meet and mirror.
  int Code() { return (Below(3) + 4) * 16 + Below(4); }

  std::string RunCommand(bool& load) {
    Session& s = *TheSession;
    const TableKind kind = Below(2) ? TableKind::kExport : TableKind::kImport;
    const int choice = Below(100);
    if (choice < 45) {
      const int source = Code();
      const int target = Code() + (kind == TableKind::kExport ? 0x80 : -0x40);
      s.CommitPair(kind, source, target);
      return "pair " + std::to_string(source) + " -> " + std::to_string(target);
    }
    if (choice < 60) {
      const int position = Code();
      s.RemoveAssignment(kind, QString::number(position, 16).toUpper());
      return "Ctrl+Entf " + std::to_string(position);
    }
    std::vector<QAction*> commands = {s.ClearBoth,          s.ClearExport,        s.ClearImport,
                                      s.CopyExportToImport, s.CopyImportToExport, s.ChainTablesAction,
                                      s.ChainTablesAction};
    std::vector<QAction*> loads = {s.LoadDin.Both,       s.LoadDin.Export, s.LoadIsoCp273.Import, s.LoadUnix.Both,
                                   s.LoadIsoCp37.Export, s.LoadTableFile,  s.MoreCodePages};
    load = choice >= 80;
    const std::vector<QAction*>& from = load ? loads : commands;
    QAction* command = from[static_cast<size_t>(Below(static_cast<int>(from.size())))];
    if (command == s.LoadTableFile) prompter_.AnswerFile(FileToLoad());
    if (command == s.MoreCodePages) prompter_.AnswerCodePage({Below(2) ? 273 : 37, Below(2) == 1, false});
    if (Below(4) == 0)
      prompter_.AnswerCancel();
    else
      prompter_.AnswerOk();
    command->trigger();
    return command->objectName().toStdString();
  }

  // A file saved earlier in the run, or one of the program's own presets.
  QString FileToLoad() {
    if (files_ > 0 && Below(3) > 0) return QString("%1/f%2.tab").arg(folder_).arg(1 + Below(files_));
    return folder_ + "/missing.tab";
  }

  std::mt19937 random_;
  ScriptedPrompter& prompter_;
  QString folder_;
  int files_ = 0;
};

class UndoProperty : public SessionTest {};

TEST_F(UndoProperty, UndoAllGivesTheStartRedoAllTheEndAndTheMarksFollowTheSaves) {
  for (const uint32_t seed : {1u, 2u, 3u}) {
    TearDown();
    SetUp();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const PairState start = Now();
    RandomRun run(seed, *prompter_, folder.path());
    for (int step = 1; step <= 300; ++step) {
      std::string fault;
      const std::string taken = run.Step(fault);
      ASSERT_EQ(fault, "") << "seed " << seed << " step " << step << ": " << taken;
      for (const TableKind kind : {TableKind::kExport, TableKind::kImport})
        ASSERT_EQ(TheSession->IsChanged(kind), run.Marks.IsChanged(kind))
            << "seed " << seed << " step " << step << ": " << taken << ", " << TableName(kind);
      ASSERT_EQ(TheControl->isWindowModified(),
                run.Marks.IsChanged(TableKind::kExport) || run.Marks.IsChanged(TableKind::kImport));
    }
    QUndoStack& stack = *TheSession->UndoStack;
    ASSERT_GT(stack.count(), 50) << seed;
    const int steps = stack.index();
    const PairState end = steps > 0 ? run.After[static_cast<size_t>(steps - 1)] : start;
    while (stack.canUndo()) TheSession->Undo->trigger();
    if (steps > 0) {
      EXPECT_EQ(StateDifference(run.Before[0]), "") << seed;
    }
    while (stack.index() < steps) TheSession->Redo->trigger();
    EXPECT_EQ(StateDifference(end), "") << seed;
    EXPECT_EQ(TheSession->IsChanged(TableKind::kExport), run.Marks.IsChanged(TableKind::kExport)) << seed;
  }
}

// Undo reaches back to the start: with no step taken before the first
// command, undoing everything gives the empty tables of the start.
TEST_F(UndoProperty, BackToTheStart) {
  const PairState start = Now();
  TheSession->LoadDin.Both->trigger();
  TheSession->CommitPair(TableKind::kExport, 0x41, 0xC2);
  TheSession->ClearImport->trigger();
  while (TheSession->UndoStack->canUndo()) TheSession->Undo->trigger();
  EXPECT_EQ(StateDifference(start), "");
  // The empty table is not what was last loaded.
  EXPECT_TRUE(TheSession->IsChanged(TableKind::kExport));
  EXPECT_FALSE(TheSession->Undo->isEnabled());
  EXPECT_TRUE(TheSession->Redo->isEnabled());
}

TEST_F(UndoProperty, ItemsNameTheStep) {
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig"));
  EXPECT_EQ(TheSession->Redo->text(), "&Wiederholen");
  EXPECT_FALSE(TheSession->Undo->isEnabled());
  EXPECT_FALSE(TheSession->Redo->isEnabled());

  TheSession->LoadDin.Both->trigger();
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig: DIN laden"));
  TheSession->CommitPair(TableKind::kExport, 0x41, 0xC1);
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig: 41 -> C1"));
  TheSession->Undo->trigger();
  EXPECT_EQ(TheSession->Redo->text(), "&Wiederholen: 41 -> C1");
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig: DIN laden"));
  // A new change clears what could be redone.
  TheSession->ClearExport->trigger();
  EXPECT_FALSE(TheSession->Redo->isEnabled());
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig: EXPORT Tabelle leeren"));
  // A command that changes nothing is no step.
  TheSession->ClearExport->trigger();
  TheSession->Undo->trigger();
  EXPECT_EQ(TheSession->Undo->text(), QString::fromUtf8("&Rückgängig: DIN laden"));
}

}  // namespace
