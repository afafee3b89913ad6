#include "main/commandline.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char kHelp[] =
    "Aufruf: qcte [DATEI ...]\n"
    "QAVO Code Table Editor: bearbeitet die Codetabellen ASCII / ISO 8859-1 nach EBCDIC\n"
    "(EXPORT) und zur\xC3\xBC"
    "ck (IMPORT). Jede DATEI wird geladen wie mit \"automatische Erkennung\".\n"
    "\n"
    "  --help     diese Hilfe zeigen und beenden\n"
    "  --version  die Version zeigen und beenden\n"
    "  --         alles danach ist ein Dateiname\n"
    "\n"
    "Die Tabellen auf der Kommandozeile bearbeitet qavo-ct; siehe qavo-ct --help.\n";

}  // namespace

bool AnswerCommandLine(int argc, char** argv, int& exit_code) {
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (std::strcmp(argument, "--") == 0) return false;
    if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
      std::fputs(kHelp, stdout);
      exit_code = 0;
      return true;
    }
    if (std::strcmp(argument, "--version") == 0) {
      std::printf("qcte (QAVO Code Table Editor) %s\n", QCTE_VERSION);
      exit_code = 0;
      return true;
    }
    if (argument[0] == '-' && argument[1] != '\0') {
      std::fprintf(stderr, "qcte: unbekannte Option \xE2\x80\x9E%s\xE2\x80\x9C\nMehr mit: qcte --help\n", argument);
      exit_code = 2;
      return true;
    }
  }
  return false;
}

std::vector<std::string> FileArguments(int argc, char** argv) {
  std::vector<std::string> files(argv + 1, argv + argc);
  const auto separator = std::find(files.begin(), files.end(), "--");
  if (separator != files.end()) files.erase(separator);
  return files;
}
