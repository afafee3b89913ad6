// qavo-ct: the table files of the QAVO products from the command line.
#include <iostream>

#include "cli/commands.h"
#include "fileio/signalcleanup.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  RemoveTemporaryFileOnSignals();
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int code = RunTool(args, std::cout, std::cerr);
  std::cout.flush();
  if (std::cout) return code;
  std::cerr << "qavo-ct: Standardausgabe kann nicht geschrieben werden\n";
  return kExitOutput;
}
