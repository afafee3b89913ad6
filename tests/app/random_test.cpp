// The whole program driven by a random user: keys into the editors, clicks
// on grid cells and scroll bars, and every menu command but "&Beenden" and
// "&Hilfe", with every dialog answered at random (random files to load,
// a scratch folder to save into). After each step the tables must still be
// sound. The run is chosen by --seed=N and --steps=N on the command line or
// QCTE_SEED and QCTE_STEPS in the environment; a failure names the seed and
// the step, and the steps that led there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <mutex>
#include <random>
#include <thread>

#include "model/tablecontent.h"
#include "support/session.h"
#include "support/tablechecks.h"
#include "support/typing.h"
#include "ui/entryeditor.h"
#include "ui/gridmath.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

constexpr uint32_t kDefaultSeed = 20240611;
constexpr uint32_t kDefaultSteps = 4000;

// A number given as --name=N on the command line or as the environment
// variable env, else the fallback.
uint32_t RunParameter(const char* name, const char* env, uint32_t fallback) {
  const QString prefix = QString("--%1=").arg(name);
  for (const QString& argument : QCoreApplication::arguments())
    if (argument.startsWith(prefix)) return argument.mid(prefix.size()).toUInt();
  const QByteArray value = qgetenv(env);
  return value.isEmpty() ? fallback : value.toUInt();
}

// ---- The invariants ---------------------------------------------------------

std::string TableFault(const std::string& name, const CodeTable& table, const CodeTable& other) {
  std::string fault = TableFault(table);
  if (fault.empty() && table.Partner() && table.Partner() != &other) fault = "partner is a stranger";
  return fault.empty() ? fault : name + ": " + fault;
}

// What only undo steps change: entries, counts, cells, kind and chain. (A
// font change may shorten a header's name to fit, and is no step.)
bool SameEntries(const CodeTable& a, const CodeTable& b) {
  for (int p = 0; p < 256; ++p)
    if (a.Target(p) != b.Target(p) || a.Count(p) != b.Count(p) || std::strcmp(a.Cell(p), b.Cell(p)) != 0) return false;
  return a.Kind() == b.Kind() && a.Partner() == b.Partner();
}

// What undo and redo bring back exactly: the entries with the header's name.
bool SameTable(const CodeTable& a, const CodeTable& b) {
  return SameEntries(a, b) && TableContent(a) == TableContent(b);
}

std::string SessionFault() {
  const CodeTable& exp = *TheSession->ExportTable;
  const CodeTable& imp = *TheSession->ImportTable;
  std::string fault = TableFault("EXPORT", exp, imp);
  if (fault.empty()) fault = TableFault("IMPORT", imp, exp);
  if (!fault.empty()) return fault;
  if (exp.Partner() && exp.IsActive() && imp.IsActive()) return "both linked tables are active";
  if (TheSession->ChainTablesAction->isChecked() != (exp.Partner() != nullptr))
    return "chain check mark and link disagree";
  for (const auto& [window, table] :
       {std::make_pair(TheControl->ExportWindow, &exp), std::make_pair(TheControl->ImportWindow, &imp)})
    if (window && CaptionText(*window) != QString::fromLatin1(table->Header()))
      return "caption " + CaptionText(*window).toStdString() + " for header " + table->Header();
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) {
    const TableWindow* window = kind == TableKind::kExport ? TheControl->ExportWindow : TheControl->ImportWindow;
    if (window && window->isWindowModified() != TheSession->IsChanged(kind)) return "changed mark of a caption";
  }
  return std::string();
}

// ---- The random user ----------------------------------------------------------

class SimulatedUser {
 public:
  SimulatedUser(uint32_t seed, ScriptedPrompter& prompter, const QString& folder)
      : random_(seed), prompter_(prompter), folder_(folder) {
    QDir(folder_).mkpath("load");
    QDir(folder_).mkpath("save");
    QDir(folder_).mkpath("folder.tab");
    for (QAction* title : TheControl->Menu->actions()) CollectCommands(title);
  }

  // Takes one step and says what it was.
  std::string Step() {
    const int kind = Below(100);
    if (kind < 45) return TypeKey();
    if (kind < 53) return ClickField();
    if (kind < 70) return ClickGrid();
    if (kind < 74) return ClickScrollBar();
    if (kind < 76) return UndoAndRedo();
    return ChooseCommand();
  }

  // A fault found inside a step, besides the invariants checked after it.
  std::string Fault;

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Below(static_cast<int>(items.size())))];
  }

  void CollectCommands(QAction* item) {
    if (QMenu* menu = item->menu()) {
      for (QAction* child : menu->actions()) CollectCommands(child);
      return;
    }
    if (item == TheSession->Quit || item == TheSession->Help) return;
    commands_.push_back(item);
  }

  std::vector<QLineEdit*> Fields() const {
    const EntryEditor* exp = TheControl->ExportEditor;
    const EntryEditor* imp = TheControl->ImportEditor;
    return {exp->SourceChar(), exp->TargetChar(), exp->SourceHex(), exp->TargetHex(),
            imp->SourceChar(), imp->TargetChar(), imp->SourceHex(), imp->TargetHex()};
  }

  static std::string FieldName(const QWidget* field) {
    const QWidget* frame = field;
    while (frame && !qobject_cast<const EntryEditor*>(frame)) frame = frame->parentWidget();
    return (frame ? frame->objectName().toStdString() + "." : std::string()) + field->objectName().toStdString();
  }

  // The user's click brings the window to the front.
  static void Activate(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
  }

  std::string ClickField() {
    QLineEdit* field = Pick(Fields());
    Activate(TheControl);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(Below(field->width()), Below(field->height())));
    return "click " + FieldName(field);
  }

  QString TypedText() {
    static const QString kHex = "0123456789ABCDEFabcdef";
    static const QString kSpecial = QString::fromUtf8("äöüÄÖÜßé€ÿ©µ\xC2\xA0") + QChar(0x0100) + QChar(0x4E2D);
    const int kind = Below(10);
    if (kind < 5) return QString(kHex[Below(kHex.size())]);
    if (kind < 8) return QString(QChar(0x20 + Below(0x5F)));
    return QString(kSpecial[Below(kSpecial.size())]);
  }

  std::string TypeKey() {
    QWidget* target = QApplication::focusWidget();
    const std::vector<QLineEdit*> fields = Fields();
    if (!target || std::find(fields.begin(), fields.end(), target) == fields.end()) {
      const std::string click = ClickField();
      target = QApplication::focusWidget();
      if (!target) return click + ", no focus";
    }
    const std::string where = FieldName(target);
    const int kind = Below(100);
    if (kind < 60) {
      const QChar c = TypedText().at(0);
      if (c.unicode() < 0x80) {
        QTest::keyClick(target, static_cast<char>(c.unicode()));
      } else {
        TypeChar(target, c);
      }
      return "type U+" + QString::number(c.unicode(), 16).toStdString() + " in " + where;
    }
    struct Key {
      Qt::Key Key;
      Qt::KeyboardModifiers Modifiers;
      const char* Name;
    };
    static const std::vector<Key> kEys = {
        {Qt::Key_Return, Qt::NoModifier, "Enter"},         {Qt::Key_Return, Qt::NoModifier, "Enter"},
        {Qt::Key_Delete, Qt::ControlModifier, "Ctrl+Del"}, {Qt::Key_Right, Qt::ControlModifier, "Ctrl+Right"},
        {Qt::Key_Left, Qt::ControlModifier, "Ctrl+Left"},  {Qt::Key_Up, Qt::ControlModifier, "Ctrl+Up"},
        {Qt::Key_Down, Qt::ControlModifier, "Ctrl+Down"},  {Qt::Key_F3, Qt::NoModifier, "F3"},
        {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},  {Qt::Key_Period, Qt::NoModifier, "."},
        {Qt::Key_Delete, Qt::NoModifier, "Del"},           {Qt::Key_Tab, Qt::NoModifier, "Tab"},
        {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
        {Qt::Key_Right, Qt::NoModifier, "Right"},          {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"},
    };
    const Key& key = Pick(kEys);
    QTest::keyClick(target, key.Key, key.Modifiers);
    return std::string(key.Name) + " in " + where;
  }

  std::string ClickGrid() {
    std::vector<TableWindow*> windows;
    for (TableWindow* window : {TheControl->ExportWindow, TheControl->ImportWindow})
      if (window && window->isVisible()) windows.push_back(window);
    if (windows.empty()) return "no grid to click";
    TableWindow* window = Pick(windows);
    QWidget* list = window->Grid->Cells;
    const std::string name = window == TheControl->ExportWindow ? "EXPORT" : "IMPORT";
    Activate(window);
    if (Chance(8)) {
      list->setFocus();
      QTest::keyClick(list, Chance(50) ? Qt::Key_Down : Qt::Key_A);
      return "key in the " + name + " grid";
    }
    QPoint at(Below(list->width()), Below(list->height()));
    int item = -1;
    if (Chance(90)) {
      item = Below(kGridItems);
      const CellRect cell = ItemRect(item, list->width(), window->Grid->RowHeight());
      at = QPoint(cell.X + Below(cell.Width), cell.Y + Below(cell.Height));
    }
    const bool twice = Chance(25);
    if (twice)
      QTest::mouseDClick(list, Qt::LeftButton, {}, at);
    else
      QTest::mouseClick(list, Qt::LeftButton, {}, at);
    return (twice ? "double-click " : "click ") + name + " item " + std::to_string(item);
  }

  // Some steps back and forth again: every state on the way is sound, and
  // what only steps change (entries, cells, names, the chain) ends as it was.
  std::string UndoAndRedo() {
    const CodeTable export_before = *TheSession->ExportTable;
    const CodeTable import_before = *TheSession->ImportTable;
    const int index = TheSession->UndoStack->index();
    const int steps = 1 + Below(5);
    for (int i = 0; i < steps; ++i) {
      TheSession->Undo->trigger();
      if (Fault.empty()) Fault = SessionFault();
    }
    while (TheSession->UndoStack->index() < index) {
      TheSession->Redo->trigger();
      if (Fault.empty()) Fault = SessionFault();
    }
    if (Fault.empty() &&
        !(SameTable(export_before, *TheSession->ExportTable) && SameTable(import_before, *TheSession->ImportTable)))
      Fault = "undo and redo did not bring back the tables";
    return "undo " + std::to_string(steps) + " and redo";
  }

  std::string ClickScrollBar() {
    EntryEditor* frame = Chance(50) ? TheControl->ExportEditor : TheControl->ImportEditor;
    Activate(TheControl);
    QScrollBar* bar = frame->PositionBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(Below(bar->width()), bar->height() / 2));
    return "click " + frame->objectName().toStdString() + " scroll bar";
  }

  // ---- Dialog answers ---------------------------------------------------------

  QByteArray V5Like() {
    QByteArray image(1088, '\0');
    std::memcpy(image.data(), "QAVO CodeTab ", 13);
    static const char kLetters[] = "AAAEEEIU x";
    image[13] = kLetters[Below(10)];
    for (int i = 14; i < 64; ++i) image[i] = static_cast<char>(0x20 + Below(0x5F));
    if (Chance(70)) image[21 + Below(40)] = ']';
    if (Chance(80)) image[22 + Below(42)] = '\0';
    for (int p = 0; p < 256; ++p) {
      int value = Chance(20) ? -1 : Below(256);
      if (Chance(5)) value = Below(65536) - 32768;
      image[64 + 4 * p] = static_cast<char>(value & 0xFF);
      image[65 + 4 * p] = static_cast<char>((value >> 8) & 0xFF);
      image[66 + 4 * p] = static_cast<char>(Below(256));
      image[67 + 4 * p] = static_cast<char>(Below(256));
    }
    if (Chance(10)) image[Below(13)] = 'x';
    return image;
  }

  QByteArray RandomBytes(int length) {
    QByteArray bytes(length, '\0');
    for (char& b : bytes) b = static_cast<char>(Below(256));
    return bytes;
  }

  QByteArray RandomFileContent() {
    static const std::vector<int> kLengths = {0,   1,    255,  256,  257,  300,  511,  512,
                                              513, 1087, 1088, 1089, 2175, 2176, 2177, 3000};
    const int kind = Below(10);
    if (kind < 2) return RandomBytes(Chance(50) ? Pick(kLengths) : Below(3001));
    if (kind < 5) {
      QByteArray image = RandomBytes(256);
      if (Chance(45)) image[32] = 0x40;
      if (Chance(45)) image[64] = 0x20;
      return image;
    }
    if (kind < 6) return RandomBytes(512);
    if (kind < 8) return V5Like();
    return V5Like() + V5Like();
  }

  // A named pipe; a save may have replaced it by a plain file.
  QString Pipe() const {
    const QString name = folder_ + "/pipe.tab";
    const QFileInfo info(name);
    if (info.isFile()) QFile::remove(name);
    if (!info.exists() || info.isFile()) ::mkfifo(name.toLocal8Bit().constData(), 0600);
    return name;
  }

  // A file to load: mostly a new random one, sometimes one saved earlier,
  // a folder, a pipe or nothing at all.
  QString FileToLoad() {
    const int kind = Below(100);
    if (kind < 6) return folder_ + "/folder.tab";
    if (kind < 9) return Pipe();
    if (kind < 12) return folder_ + "/load/missing.tab";
    if (kind < 30) {
      const QStringList saved = QDir(folder_ + "/save").entryList(QDir::Files);
      if (!saved.isEmpty()) return folder_ + "/save/" + saved[Below(static_cast<int>(saved.size()))];
    }
    const QString name = QString("%1/load/f%2.tab").arg(folder_).arg(Below(20));
    QFile file(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(RandomFileContent());
    return name;
  }

  QString FileToSave() {
    static const QStringList kNames = {"a.tab", "b.tab", "c.qct", "d.h", "e.hpp", "f"};
    const int kind = Below(100);
    if (kind < 3) return folder_ + "/folder.tab";
    if (kind < 5) return Pipe();
    if (kind < 8) return folder_ + "/missing/x.tab";
    if (kind < 12) return QString("%1/load/f%2.tab").arg(folder_).arg(Below(20));
    return folder_ + "/save/" + kNames[Below(static_cast<int>(kNames.size()))];
  }

  DisplayFont RandomFont() {
    static const QStringList kNames = {"Terminal", "Courier New", "Fixedsys", "MS Sans Serif", "DejaVu Sans Mono",
                                       "",         "terminal"};
    QString name = kNames[Below(static_cast<int>(kNames.size()))];
    if (Chance(15))
      for (int i = Below(90); i > 0; --i) name += QChar(0x20 + Below(0xDF));
    DisplayFont font(name, Chance(85) ? -1 - Below(40) : Below(40), Chance(30), Chance(30));
    font.Italic = Chance(20);
    return font;
  }

  void Answer(bool accept, const QString& file_name = QString()) {
    PromptAnswer answer;
    answer.Accept = accept;
    answer.FileName = file_name;
    answer.Font = RandomFont();
    answer.Color = QColor(Below(256), Below(256), Below(256));
    prompter_.Answers.push_back(answer);
  }

  // Answers for the dialogs the command will show; now and then answers
  // that do not fit them at all.
  void QueueAnswers(const QAction* command) {
    const QString name = command->objectName();
    if (Chance(5)) {
      for (int i = Below(4); i > 0; --i) Answer(Chance(70), Chance(50) ? FileToLoad() : FileToSave());
      return;
    }
    if (name == "LoadTableFile" || name == "LoadExport" || name == "LoadImport") {
      Answer(Chance(90), FileToLoad());
    } else if (name.startsWith("Save")) {
      Answer(Chance(85), FileToSave());
      Answer(Chance(85), FileToSave());
      for (int i = 0; i < 3; ++i) Answer(Chance(75));
    } else if (name == "Print") {
      Answer(Chance(10), folder_ + "/print.pdf");
    } else {
      Answer(Chance(75));
    }
  }

  // A preset fills both tables at once; picked less often, the tables also
  // spend time half filled.
  static bool FillsTables(const QAction* command) {
    const QString name = command->objectName();
    return name.startsWith("Load") && name != "LoadTableFile" && name != "LoadExport" && name != "LoadImport";
  }

  std::string ChooseCommand() {
    QAction* command = Pick(commands_);
    if (FillsTables(command) && Chance(60)) command = Pick(commands_);
    std::string text = "menu " + command->text().toStdString();
    if (!command->isEnabled()) return text + " (disabled)";
    QueueAnswers(command);
    command->trigger();
    return text;
  }

  std::mt19937 random_;
  ScriptedPrompter& prompter_;
  QString folder_;
  std::vector<QAction*> commands_;
};

// Ends the run with a clear message when one step takes longer than ten
// seconds: a step that blocks (on a pipe, say) would otherwise hang the test
// until CTest kills it without a word.
class StepWatchdog {
 public:
  explicit StepWatchdog(uint32_t seed) : seed_(seed), thread_([this] { Watch(); }) {}
  ~StepWatchdog() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    changed_.notify_one();
    thread_.join();
  }

  void StepStarted(uint32_t step, const std::string& before) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      step_ = step;
      before_ = before;
    }
    changed_.notify_one();
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!done_) {
      const uint32_t watched = step_;
      if (changed_.wait_for(lock, std::chrono::seconds(10), [&] { return done_ || step_ != watched; })) continue;
      std::cerr << "seed " << seed_ << ", step " << step_
                << " took longer than ten seconds (the step before: " << before_ << ")" << std::endl;
      std::_Exit(1);
    }
  }

  const uint32_t seed_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool done_ = false;
  uint32_t step_ = 0;
  std::string before_;
  std::thread thread_;
};

class RandomUser : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(folder_.isValid());
    ASSERT_TRUE(ShowControlWindow());
  }
  void TearDown() override {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    SessionTest::TearDown();
  }

  QTemporaryDir folder_;
};

TEST_F(RandomUser, TablesStaySoundThroughRandomKeysClicksAndCommands) {
  const uint32_t seed = RunParameter("seed", "QCTE_SEED", kDefaultSeed);
  const uint32_t steps = RunParameter("steps", "QCTE_STEPS", kDefaultSteps);
  SimulatedUser user(seed, *prompter_, folder_.path());
  std::deque<std::string> recent;
  ASSERT_EQ(SessionFault(), "") << "at start";
  StepWatchdog watchdog(seed);
  for (uint32_t step = 1; step <= steps; ++step) {
    watchdog.StepStarted(step, recent.empty() ? "none" : recent.back());
    const CodeTable export_before = *TheSession->ExportTable;
    const CodeTable import_before = *TheSession->ImportTable;
    const int undo_index = TheSession->UndoStack->index();
    recent.push_back(user.Step());
    if (recent.size() > 25) recent.pop_front();
    QCoreApplication::processEvents();
    prompter_->Clear();
    std::string fault = SessionFault();
    if (fault.empty()) fault = user.Fault;
    // Every change of the tables can be undone: it is a step of its own.
    if (fault.empty() && TheSession->UndoStack->index() == undo_index &&
        !(SameEntries(export_before, *TheSession->ExportTable) && SameEntries(import_before, *TheSession->ImportTable)))
      fault = "the tables changed without an undo step";
    if (fault.empty()) continue;
    std::string trail;
    for (const std::string& taken : recent) trail += "\n  " + taken;
    FAIL() << "seed " << seed << ", step " << step << ": " << fault << "\nlast steps:" << trail;
  }
  std::cout << "seed " << seed << ": " << steps << " steps" << std::endl;
}

}  // namespace
