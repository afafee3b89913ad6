#include "cli/commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "cli/arguments.h"
#include "cli/filteroutput.h"
#include "cli/report.h"
#include "cli/tablefile.h"
#include "cli/translate.h"
#include "cli/ucmfile.h"
#include "fileio/outputfile.h"
#include "fileio/outputpath.h"
#include "files/codepages.h"
#include "files/newline.h"
#include "files/pagecomparison.h"
#include "files/tableformat.h"
#include "files/ucm.h"

namespace {

const char kFormatNames[] = "unix, v3, v5, c, pascal, ucm, python, java";

const char* PairFormatName(TableFormat format) {
  switch (format) {
    case TableFormat::kV3:
      return "V3";
    case TableFormat::kPython:
      return "python";
    case TableFormat::kJava:
      return "java";
    default:
      return "ucm";
  }
}

// What went wrong: the exit code and the line for stderr.
struct Failure {
  int Code = kExitOk;
  std::string Message;
  bool Failed() const { return Code != kExitOk; }
};

Failure Fail(int code, const std::string& message) { return {code, message}; }

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Export or Import when one of the two options is given, else Unknown.
TableKind ForcedKind(const Arguments& args) {
  if (args.Has("--export")) return TableKind::kExport;
  if (args.Has("--import")) return TableKind::kImport;
  return TableKind::kUnknown;
}

Failure ReadPair(const Arguments& args, const std::string& path, TableKind kind, TablePair& pair) {
  std::string error;
  if (ReadTableFile(path, kind, args.Value("--name"), pair, error) != ReadResult::kLoaded)
    return Fail(kExitInput, error);
  return {};
}

// The tables a command works on: those of the pair that --export or
// --import leave.
Failure Select(const Arguments& args, const std::string& source, const TablePair& pair, FormatTables& selection) {
  const TableKind only = ForcedKind(args);
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) {
    if (only != TableKind::kUnknown && only != kind) continue;
    if (!pair.Has(kind)) {
      if (only == kind) return Fail(kExitInput, source + " enthält keine " + TableName(kind) + "-Tabelle");
      continue;
    }
    (kind == TableKind::kExport ? selection.Export : selection.Import) = &pair.Table(kind);
  }
  return {};
}

bool ParseFormat(const std::string& name, TableFormat& format) {
  const std::string lower = Lower(name);
  if (lower == "unix")
    format = TableFormat::kUnix;
  else if (lower == "v3")
    format = TableFormat::kV3;
  else if (lower == "v5")
    format = TableFormat::kV5;
  else if (lower == "c")
    format = TableFormat::kC;
  else if (lower == "pascal")
    format = TableFormat::kPascal;
  else if (lower == "ucm")
    format = TableFormat::kUcm;
  else if (lower == "python")
    format = TableFormat::kPython;
  else if (lower == "java")
    format = TableFormat::kJava;
  else
    return false;
  return true;
}

// ".tab" holds the UNIX image of one table or the V3 image of two.
bool FormatFromExtension(const std::string& path, int table_count, TableFormat& format) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
  const std::string extension = Lower(path.substr(dot + 1));
  if (extension == "tab")
    format = table_count == 1 ? TableFormat::kUnix : TableFormat::kV3;
  else if (extension == "qct")
    format = TableFormat::kV5;
  else if (extension == "h")
    format = TableFormat::kC;
  else if (extension == "hpp" || extension == "pas")
    format = TableFormat::kPascal;
  else if (extension == "ucm")
    format = TableFormat::kUcm;
  else if (extension == "py")
    format = TableFormat::kPython;
  else if (extension == "jar")
    format = TableFormat::kJava;
  else
    return false;
  return true;
}

// Checked before any file is read: a bad argument is told first.
Failure CheckFormatOption(const Arguments& args) {
  TableFormat format;
  const std::string* to = args.Value("--to");
  if (to && !ParseFormat(*to, format)) return Fail(kExitUsage, "unbekanntes Format " + *to + " (" + kFormatNames + ")");
  return {};
}

Failure ChooseFormat(const Arguments& args, const std::string& out, int table_count, TableFormat& format) {
  if (const std::string* to = args.Value("--to")) {
    ParseFormat(*to, format);
    return {};
  }
  if (!FormatFromExtension(out, table_count, format))
    return Fail(kExitUsage,
                out + ": Format nicht an der Endung erkennbar, bitte --to unix|v3|v5|c|pascal|ucm|python|java angeben");
  return {};
}

Failure CheckCount(const Arguments& args, const std::string& source, TableFormat format,
                   const FormatTables& selection) {
  if (format == TableFormat::kUnix && selection.Count() == 2)
    return Fail(kExitUsage, "das UNIX-Format hält eine Tabelle: --export oder --import angeben");
  if (NeedsPair(format) && selection.Count() == 1) {
    const std::string name = PairFormatName(format);
    if (ForcedKind(args) != TableKind::kUnknown)
      return Fail(kExitUsage, "das Format " + name + " braucht beide Tabellen (ohne --export/--import)");
    const char* missing = TableName(selection.Export ? TableKind::kImport : TableKind::kExport);
    return Fail(kExitInput, source + " enthält keine " + missing + "-Tabelle, das Format " + name + " braucht beide");
  }
  return {};
}

void WarnIfIncomplete(const FormatTables& selection, TableFormat format, std::ostream& err) {
  if (!WritesGapsOneToOne(format)) return;
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) {
    const CodeTable* table = kind == TableKind::kExport ? selection.Export : selection.Import;
    if (table && table->CountAssigned() != 256)
      err << "qavo-ct: Hinweis: " << TableName(kind)
          << "-Tabelle unvollständig oder leer, nicht zugeordnete Zeichen bleiben 1:1\n";
  }
}

Failure ParseWorkstation(const Arguments& args, Workstation& workstation) {
  workstation = Workstation::kIsoLatin1;
  const std::string* text = args.Value("--workstation");
  if (!text) return {};
  const std::string name = Lower(*text);
  if (name == "iso8859-1" || name == "iso-8859-1") return {};
  if (name == "cp1252" || name == "windows-1252") {
    workstation = Workstation::kCp1252;
    return {};
  }
  return Fail(kExitUsage, "--workstation " + *text + ": erwartet iso8859-1 oder cp1252");
}

Failure WriteTables(const Arguments& args, const std::string& source, const FormatTables& selection,
                    const std::string& out, std::ostream& err) {
  TableFormat format = TableFormat::kV5;
  Failure failure = ChooseFormat(args, out, selection.Count(), format);
  if (!failure.Failed()) failure = CheckCount(args, source, format, selection);
  if (failure.Failed()) return failure;
  Workstation workstation;
  ParseWorkstation(args, workstation);
  const std::string error = WriteOutput(out, FormatBytes(format, selection, workstation, args.Value("--name")));
  if (!error.empty()) return Fail(kExitOutput, error);
  // Only once written: a failure stays the one line on stderr.
  WarnIfIncomplete(selection, format, err);
  return {};
}

// Reads the input file and picks the tables the arguments ask for.
Failure ReadSelection(const Arguments& args, TablePair& pair, FormatTables& selection) {
  const std::string& in = args.Files[0];
  Failure failure = ReadPair(args, in, ForcedKind(args), pair);
  if (!failure.Failed()) failure = Select(args, in, pair, selection);
  return failure;
}

Failure Convert(const Arguments& args, std::ostream& err) {
  const std::string& in = args.Files[0];
  TablePair pair;
  FormatTables selection;
  Workstation workstation;
  Failure failure = CheckFormatOption(args);
  if (!failure.Failed()) failure = ParseWorkstation(args, workstation);
  if (!failure.Failed()) failure = ReadSelection(args, pair, selection);
  if (failure.Failed()) return failure;
  return WriteTables(args, in, selection, args.Files[1], err);
}

Failure Show(const Arguments& args, std::ostream& out) {
  TablePair pair;
  FormatTables selection;
  const Failure failure = ReadSelection(args, pair, selection);
  if (failure.Failed()) return failure;
  if (selection.Export) out << TableGrid(*selection.Export, TableKind::kExport) << "\n";
  if (selection.Import) out << TableGrid(*selection.Import, TableKind::kImport) << "\n";
  out << GridLegend();
  return {};
}

PairTargets TargetsOf(const TablePair& pair) {
  return TargetsOf(pair.Table(TableKind::kExport).Entries(), pair.Table(TableKind::kImport).Entries());
}

Failure Check(const Arguments& args, std::ostream& out) {
  TablePair pair;
  FormatTables selection;
  const Failure failure = ReadSelection(args, pair, selection);
  if (failure.Failed()) return failure;
  // One table, of the file or asked for, is checked without its partner.
  TablePair single;
  if (selection.Count() == 1) {
    const TableKind kind = selection.Export ? TableKind::kExport : TableKind::kImport;
    single.Load(kind, pair.Table(kind).Entries(), pair.Table(kind).HeaderName());
  }
  std::vector<std::string> findings = PairFindings(selection.Count() == 2 ? pair : single);
  // The newline is the pair's: a finding when the two tables disagree on it.
  std::string newline;
  if (selection.Count() == 2) {
    const PairTargets targets = TargetsOf(pair);
    const NewlineProfile profile = DescribeNewline(targets.Export, targets.Import);
    if (profile.Disagrees)
      findings.push_back(NewlineLine(profile));
    else
      newline = NewlineLine(profile);
  }
  for (const std::string& finding : findings) out << finding << "\n";
  if (findings.empty()) out << "sauber: EXPORT und IMPORT sind vollständig, eindeutig und übersetzen einander zurück\n";
  if (!newline.empty()) out << newline << "\n";
  return findings.empty() ? Failure() : Fail(kExitFindings, std::string());
}

// Both tables of the file, for the commands that look at the pair whole.
Failure ReadWholePair(const Arguments& args, TablePair& pair) {
  const std::string& in = args.Files[0];
  const Failure failure = ReadPair(args, in, TableKind::kUnknown, pair);
  if (failure.Failed()) return failure;
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport})
    if (!pair.Has(kind))
      return Fail(kExitInput,
                  in + " enthält keine " + TableName(kind) + "-Tabelle, " + args.Command + " braucht beide");
  return {};
}

Failure Identify(const Arguments& args, std::ostream& out) {
  Workstation workstation;
  TablePair pair;
  Failure failure = ParseWorkstation(args, workstation);
  if (!failure.Failed()) failure = ReadWholePair(args, pair);
  if (failure.Failed()) return failure;
  for (const std::string& line : IdentifyReport(TargetsOf(pair), workstation)) out << line << "\n";
  return {};
}

Failure ParseCodePage(const Arguments& args, int& code_page) {
  const std::string* text = args.Value("--codepage");
  if (!text && args.Command == "build") return Fail(kExitUsage, "build braucht --codepage NR oder --ucm DATEI");
  if (!text) return Fail(kExitUsage, args.Command + " braucht --codepage NR");
  const std::string digits = Lower(*text).substr(0, 2) == "cp" ? text->substr(2) : *text;
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
    return Fail(kExitUsage, "--codepage " + *text + ": keine Codepage-Nummer");
  code_page = std::stoi(digits);
  return {};
}

Failure BuildFromCodePage(const Arguments& args, Workstation workstation, TablePair& pair) {
  int code_page = 0;
  const Failure failure = ParseCodePage(args, code_page);
  if (failure.Failed()) return failure;
  CodePagePair built;
  if (!BuildCodePagePair(code_page, workstation, args.Has("--swap-nl"), built))
    return Fail(kExitUsage,
                "Codepage " + std::to_string(code_page) + " wird nicht angeboten; verfügbar: " + CodePageList());
  pair.Load(TableKind::kExport, built.Export, built.ExportName);
  pair.Load(TableKind::kImport, built.Import, built.ImportName);
  return {};
}

Failure BuildFromUcm(const std::string& path, Workstation workstation, TablePair& pair, std::ostream& err) {
  std::vector<std::string> left_out;
  std::string error;
  if (ReadUcmFile(path, workstation, pair, left_out, error) != ReadResult::kLoaded) return Fail(kExitInput, error);
  if (left_out.empty()) return {};
  err << "qavo-ct: Hinweis: " << left_out.size() << " Zeichen außerhalb von " << WorkstationLabel(workstation)
      << " nicht übernommen:";
  for (const std::string& character : LeftOutToShow(left_out)) err << " " << character;
  err << "\n";
  return {};
}

Failure Build(const Arguments& args, std::ostream& err) {
  const std::string* ucm = args.Value("--ucm");
  if (ucm && args.Has("--codepage")) return Fail(kExitUsage, "--codepage und --ucm schließen einander aus");
  if (ucm && args.Has("--swap-nl")) return Fail(kExitUsage, "--swap-nl gilt nur mit --codepage");
  Workstation workstation;
  Failure failure = ParseWorkstation(args, workstation);
  if (!failure.Failed()) failure = CheckFormatOption(args);
  if (failure.Failed()) return failure;
  TablePair pair;
  failure = ucm ? BuildFromUcm(*ucm, workstation, pair, err) : BuildFromCodePage(args, workstation, pair);
  if (failure.Failed()) return failure;
  const std::string source = ucm ? *ucm : "Codepage";
  FormatTables selection;
  failure = Select(args, source, pair, selection);
  if (failure.Failed()) return failure;
  return WriteTables(args, source, selection, args.Files[0], err);
}

Failure ComparePage(const Arguments& args, std::ostream& out) {
  Workstation workstation;
  int code_page = 0;
  TablePair pair;
  Failure failure = ParseWorkstation(args, workstation);
  if (!failure.Failed()) failure = ParseCodePage(args, code_page);
  if (!failure.Failed()) failure = ReadWholePair(args, pair);
  if (failure.Failed()) return failure;
  PageComparison comparison;
  if (!ComparePairWithPage(TargetsOf(pair), code_page, workstation, args.Has("--swap-nl"), comparison))
    return Fail(kExitUsage, "Codepage " + std::to_string(code_page) + " kennen weder iconv noch ICU");
  for (const std::string& line : ComparisonReport(comparison)) out << line << "\n";
  return comparison.PairDiffers() ? Fail(kExitFindings, std::string()) : Failure();
}

Failure OpenTranslateInput(const std::string& in, int& input) {
  input = IsStandardStream(in) ? STDIN_FILENO : open(in.c_str(), O_RDONLY | O_CLOEXEC);
  if (input < 0) return Fail(kExitInput, in + ": kann nicht gelesen werden (" + ErrorText(errno) + ")");
  posix_fadvise(input, 0, 0, POSIX_FADV_SEQUENTIAL);
  return {};
}

Failure Translate(const Arguments& args) {
  const std::string* table_file = args.Value("--table");
  if (!table_file) return Fail(kExitUsage, "translate braucht --table DATEI");
  const std::string& in = args.Files[0];
  if (IsStandardStream(in) && IsStandardStream(*table_file))
    return Fail(kExitUsage, "Tabelle und Eingabe können nicht beide die Standardeingabe sein");
  Kernel kernel;
  std::string kernel_error;
  if (!ChooseKernel(kernel, kernel_error)) return Fail(kExitUsage, kernel_error);
  const TableKind kind = args.Has("--import") ? TableKind::kImport : TableKind::kExport;
  TablePair pair;
  int input = -1;
  Failure failure = ReadPair(args, *table_file, kind, pair);
  if (!failure.Failed() && !pair.Has(kind))
    failure = Fail(kExitInput, *table_file + " enthält keine " + TableName(kind) + "-Tabelle");
  if (!failure.Failed()) failure = OpenTranslateInput(in, input);
  if (failure.Failed()) return failure;
  const ByteMap map = ByteMapOf(pair.Table(kind));

  // Unfinished, the output removes its temporary file.
  FilterOutput output(args.Files[1]);
  StreamResult result = StreamResult::kDone;
  if (output.Open()) result = TranslateStream(input, output.Descriptor(), map, kernel);
  const int error = errno;
  if (input != STDIN_FILENO) close(input);
  if (output.Error().empty() && result == StreamResult::kReadFailed)
    return Fail(kExitInput, in + ": kann nicht gelesen werden (" + ErrorText(error) + ")");
  errno = error;
  if (!output.Error().empty() || !output.Finish(result == StreamResult::kDone))
    return Fail(kExitOutput, output.Error());
  return {};
}

// Every file named must have a name.
Failure CheckFileNames(const Arguments& args) {
  std::vector<std::string> names = args.Files;
  for (const char* option : {"--table", "--ucm"})
    if (const std::string* name = args.Value(option)) names.push_back(*name);
  for (const std::string& name : names)
    if (name.empty()) return Fail(kExitUsage, "kein Dateiname");
  return {};
}

Failure Run(const Arguments& args, std::ostream& out, std::ostream& err) {
  const Failure failure = CheckFileNames(args);
  if (failure.Failed()) return failure;
  if (args.Command == "convert") return Convert(args, err);
  if (args.Command == "show") return Show(args, out);
  if (args.Command == "check") return Check(args, out);
  if (args.Command == "build") return Build(args, err);
  if (args.Command == "identify") return Identify(args, out);
  if (args.Command == "compare") return ComparePage(args, out);
  return Translate(args);
}

}  // namespace

int RunTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Arguments parsed;
  const std::string error = ParseArguments(args, parsed);
  if (parsed.Help) {
    out << HelpText();
    return kExitOk;
  }
  if (!error.empty()) {
    err << "qavo-ct: " << Printable(error + " (qavo-ct --help zeigt die Hilfe)") << "\n";
    return kExitUsage;
  }
  const Failure failure = Run(parsed, out, err);
  if (!failure.Message.empty()) err << "qavo-ct: " << Printable(failure.Message) << "\n";
  return failure.Code;
}
