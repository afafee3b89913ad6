#include "measure.h"

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/session.h"
#include "benchprompter.h"
#include "support/paintcounter.h"
#include "ui/controlwindow.h"
#include "ui/entryeditor.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

constexpr int kWarmup = 10;
constexpr int kRounds = 150;
constexpr int kStartRuns = 15;
constexpr qint64 kPaintTimeoutMs = 2000;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// CPU time of this thread; on a busy machine it tells the program's own
// cost apart from the time it waited for a core.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// CPU time of all finished child processes.
double ChildrenCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// One measured operation and what was measured of it.
struct Figure {
  explicit Figure(std::string name, std::function<void()> prepare = {}, std::function<void()> act = {})
      : Name(std::move(name)), Prepare(std::move(prepare)), Act(std::move(act)) {}

  std::string Name;
  std::function<void()> Prepare;  // untimed, before each run
  std::function<void()> Act;      // timed, until both grids have painted
  std::vector<double> Wall, Cpu;  // milliseconds
  int MaxExportPaints = 0;
  int MaxImportPaints = 0;
  int Unpainted = 0;  // runs after which a grid did not paint in time
};

// Lets the event loop finish whatever a step left behind, timers included.
void Settle() { QTest::qWait(10); }

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "qcte_bench: %s\n", what);
  std::exit(2);
}

// The editor as the user has it after start-up, on the offscreen platform,
// with the pair of ISO 8859-1 CP 273 loaded and chained.
class Bench {
 public:
  Bench() {
    session_ = std::make_unique<Session>();
    auto prompter = std::make_unique<BenchPrompter>();
    prompter_ = prompter.get();
    session_->SetPrompter(std::move(prompter));
    control_ = std::make_unique<ControlWindow>(*session_);
    control_->show();
    for (QWidget* window : {static_cast<QWidget*>(control_.get()), static_cast<QWidget*>(control_->ExportWindow),
                            static_cast<QWidget*>(control_->ImportWindow)})
      if (!window || !QTest::qWaitForWindowExposed(window)) Fail("a window was not shown");
    control_->activateWindow();
    if (!QTest::qWaitForWindowActive(control_.get())) Fail("the control window did not become active");
    control_->ExportEditor->SourceChar()->setFocus();
    export_grid_ = control_->ExportWindow->Grid->Cells;
    import_grid_ = control_->ImportWindow->Grid->Cells;
    export_paints_ = std::make_unique<PaintCounter>(export_grid_);
    import_paints_ = std::make_unique<PaintCounter>(import_grid_);
    session_->LoadIsoCp273.Both->trigger();
    Settle();
    EntryEditor& editor = *control_->ExportEditor;
    if (!session_->ExportTable->Partner() || !editor.IsActive() || !control_->ImportEditor->FollowsOtherTable())
      Fail("the EXPORT editor is not the active one of a chained pair");
  }

  ~Bench() {
    control_.reset();
    session_.reset();
  }

  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  BenchPrompter& Prompt() { return *prompter_; }

  Figure Floor() {
    return Figure(
        "Floor: both grids painted once", [] {},
        [this] {
          export_grid_->repaint();
          import_grid_->repaint();
        });
  }

  // Types A and two hex digits into the EXPORT editor, then times Enter.
  // C2 makes the target ambiguous; C1 is unique again and mirrors into the
  // IMPORT table.
  Figure CommittedEdit(const char* name, const char* digits, int target) {
    EntryEditor& editor = *control_->ExportEditor;
    return Figure(
        name,
        [&editor, digits] {
          QTest::keyClick(editor.SourceChar(), 'A');
          QTest::keyClicks(editor.TargetHex(), digits);
        },
        [this, &editor, target] {
          QTest::keyClick(editor.TargetHex(), Qt::Key_Return);
          if (session_->ExportTable->Target(0x41) != target) Fail("Enter did not commit the edit");
        });
  }

  Figure Refresh() {
    return Figure(
        "Views following a table change alone", [] {}, [this] { emit session_->TablesChanged(); });
  }

  Figure Preset() {
    return Figure(
        "\"&Beide\" of ISO 8859-1 CP 273", [] {}, [this] { session_->LoadIsoCp273.Both->trigger(); });
  }

  // A Windows V3 pair file (512 bytes) that the editor writes itself.
  Figure FileLoad(const QString& file_name) {
    const FormatTables pair{session_->ExportTable, session_->ImportTable};
    if (!Session::WriteFile(file_name, FormatBytes(TableFormat::kV3, pair, Workstation::kIsoLatin1)).isEmpty())
      Fail("the table file could not be written");
    prompter_->OpenFileName = file_name;
    return Figure(
        "File load, automatic recognition (512 bytes)", [] {},
        [this] {
          session_->LoadTableFile->trigger();
          if (*session_->ExportTable->HeaderName() == 0) Fail("the table file did not load");
        });
  }

  // Runs every figure once per round, so that a busy moment of the machine
  // hits all of them alike; the first rounds warm up.
  void Run(std::vector<Figure>& figures, int rounds) {
    for (int round = -kWarmup; round < rounds; ++round)
      for (Figure& figure : figures) RunOnce(figure, round >= 0);
  }

 private:
  void RunOnce(Figure& figure, bool record) {
    figure.Prepare();
    Settle();
    const int export_before = export_paints_->Paints;
    const int import_before = import_paints_->Paints;
    const double cpu_before = ThreadCpuMs();
    QElapsedTimer timer;
    timer.start();
    figure.Act();
    const bool painted = WaitForBothGrids(export_before, import_before, timer);
    const double wall = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const double cpu = ThreadCpuMs() - cpu_before;
    Settle();
    if (!record) return;
    figure.Wall.push_back(wall);
    figure.Cpu.push_back(cpu);
    if (!painted) ++figure.Unpainted;
    figure.MaxExportPaints = std::max(figure.MaxExportPaints, export_paints_->Paints - export_before);
    figure.MaxImportPaints = std::max(figure.MaxImportPaints, import_paints_->Paints - import_before);
  }

  bool WaitForBothGrids(int export_before, int import_before, const QElapsedTimer& timer) {
    while (export_paints_->Paints == export_before || import_paints_->Paints == import_before) {
      if (timer.elapsed() > kPaintTimeoutMs) return false;
      QCoreApplication::processEvents();
    }
    return true;
  }

  BenchPrompter* prompter_ = nullptr;
  std::unique_ptr<Session> session_;
  std::unique_ptr<ControlWindow> control_;
  QWidget* export_grid_ = nullptr;
  QWidget* import_grid_ = nullptr;
  std::unique_ptr<PaintCounter> export_paints_;
  std::unique_ptr<PaintCounter> import_paints_;
};

// Starts a probe and records the time until it reports its windows shown,
// and the CPU time it used until then (a probe ends right after reporting).
void TimeStart(Figure& figure, const char* mode, bool record) {
  QProcess process;
  process.setProgram(QCoreApplication::applicationFilePath());
  process.setArguments({QString::fromLatin1(mode)});
  process.setStandardErrorFile(QProcess::nullDevice());
  const double cpu_before = ChildrenCpuMs();
  QElapsedTimer timer;
  timer.start();
  process.start();
  QByteArray output;
  double wall = -1;
  while (wall < 0 && process.waitForReadyRead(10000)) {
    output += process.readAllStandardOutput();
    if (output.contains("shown\n")) wall = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  }
  if (!process.waitForFinished(10000)) process.kill();
  if (wall < 0) Fail("a start-up probe did not show its windows");
  if (!record) return;
  figure.Wall.push_back(wall);
  figure.Cpu.push_back(ChildrenCpuMs() - cpu_before);
}

struct StartUp {
  Figure Editor = Figure("Start-up until both table windows are shown");
  Figure Bare = Figure("Bare Qt program, three empty windows");
  Figure Text = Figure("Bare Qt program, three windows with a label");
};

// The probes in turn, for the same reason as the rounds above.
StartUp MeasureStartUp() {
  StartUp result;
  for (int run = -2; run < kStartRuns; ++run) {
    TimeStart(result.Editor, "--probe-editor", run >= 0);
    TimeStart(result.Bare, "--probe-bare", run >= 0);
    TimeStart(result.Text, "--probe-text", run >= 0);
  }
  return result;
}

std::string CpuModel() {
  QFile cpuinfo("/proc/cpuinfo");
  if (cpuinfo.open(QIODevice::ReadOnly)) {
    for (const QByteArray& line : cpuinfo.readAll().split('\n'))
      if (line.startsWith("model name")) return line.mid(line.indexOf(':') + 1).trimmed().toStdString();
  }
  return QSysInfo::currentCpuArchitecture().toStdString();
}

void PrintFigure(const Figure& figure, const Figure& floor, bool paints) {
  const double wall = Median(figure.Wall);
  const double cpu = Median(figure.Cpu);
  std::printf("  %-46s %9.3f %7.2f   %9.3f %7.2f", figure.Name.c_str(), wall, wall / Median(floor.Wall), cpu,
              cpu / Median(floor.Cpu));
  if (paints) std::printf("   %d / %d", figure.MaxExportPaints, figure.MaxImportPaints);
  std::printf("\n");
}

bool PrintTarget(const char* what, bool met, const std::string& detail) {
  std::printf("  %-52s %-6s %s\n", what, met ? "met" : "MISSED", detail.c_str());
  return met;
}

std::string Ratios(double wall, double cpu) {
  char text[96];
  std::snprintf(text, sizeof text, "(%.2f x wall, %.2f x CPU)", wall, cpu);
  return text;
}

}  // namespace

int RunBenchmark(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  if (!dir.isValid()) Fail("no temporary directory");

  std::vector<Figure> figures;
  {
    Bench bench;
    figures.push_back(bench.Floor());
    figures.push_back(bench.CommittedEdit("Committed edit (Enter) making C2 ambiguous", "C2", 0xC2));
    figures.push_back(bench.CommittedEdit("Committed edit (Enter) mirrored into IMPORT", "C1", 0xC1));
    figures.push_back(bench.Refresh());
    figures.push_back(bench.Preset());
    figures.push_back(bench.FileLoad(dir.filePath("CTWX2X.tab")));
    bench.Run(figures, kRounds);
    if (bench.Prompt().Unexpected) Fail("a command answered with a message or a beep");
  }
  const StartUp start = MeasureStartUp();

  std::printf("QAVO Code Table Editor benchmark on the offscreen platform\n");
  std::printf("Machine: %s, %u hardware threads; %s; Qt %s\n", CpuModel().c_str(), std::thread::hardware_concurrency(),
              QSysInfo::prettyProductName().toStdString().c_str(), qVersion());
  std::printf(
      "Medians of %d runs (start-ups: %d), milliseconds: wall-clock time, and the CPU time\n"
      "the editor used in it, which the load of other programs on the machine does not inflate.\n\n",
      kRounds, kStartRuns);
  std::printf("  %-46s %9s %7s   %9s %7s   %s\n", "", "wall", "x floor", "CPU", "x floor", "grid paints (most)");
  const Figure& floor = figures.front();
  for (const Figure& figure : figures) PrintFigure(figure, floor, true);
  PrintFigure(start.Editor, floor, false);
  PrintFigure(start.Bare, floor, false);
  PrintFigure(start.Text, floor, false);

  bool one_paint = true;
  double edit_wall = 0;
  double edit_cpu = 0;
  int unpainted = 0;
  for (const Figure& figure : figures) {
    unpainted += figure.Unpainted;
    if (figure.Name.rfind("Committed edit", 0) != 0) continue;
    one_paint &= figure.MaxExportPaints <= 1 && figure.MaxImportPaints <= 1;
    edit_wall = std::max(edit_wall, Median(figure.Wall) / Median(floor.Wall));
    edit_cpu = std::max(edit_cpu, Median(figure.Cpu) / Median(floor.Cpu));
  }
  const double text_wall = Median(start.Editor.Wall) / Median(start.Text.Wall);
  const double text_cpu = Median(start.Editor.Cpu) / Median(start.Text.Cpu);
  std::printf("\nTargets (judged on wall-clock time)\n");
  bool met = PrintTarget("each grid painted at most once per committed edit", one_paint && unpainted == 0, "");
  met &= PrintTarget("committed edit at most 2 x floor", edit_wall <= 2.0, Ratios(edit_wall, edit_cpu));
  met &= PrintTarget("start-up at most 1.3 x bare Qt, windows with a label", text_wall <= 1.3,
                     Ratios(text_wall, text_cpu));
  const double bare_wall = Median(start.Editor.Wall) / Median(start.Bare.Wall);
  const double bare_cpu = Median(start.Editor.Cpu) / Median(start.Bare.Cpu);
  std::printf("  %-52s %-6s %s\n", "start-up against bare Qt, three empty windows", "",
              Ratios(bare_wall, bare_cpu).c_str());
  if (unpainted) std::printf("\n%d runs ended without both grids painting.\n", unpainted);
  return met ? 0 : 1;
}
