// qcte_bench: measures the editor on the offscreen platform.
//   qcte_bench                 all figures, with their ratios to the floor
//   qcte_bench --probe-editor  (used by the benchmark) start the editor
//   qcte_bench --probe-bare    (used by the benchmark) start a bare Qt program
//   qcte_bench --probe-text    (used by the benchmark) the same with text
#include <QByteArray>
#include <cstring>

#include "measure.h"
#include "probes.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc > 1 && std::strcmp(argv[1], "--probe-editor") == 0) return ProbeEditor(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--probe-bare") == 0) return ProbeBare(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--probe-text") == 0) return ProbeText(argc, argv);
  return RunBenchmark(argc, argv);
}
