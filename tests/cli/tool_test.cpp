// qavo-ct as scripts meet it: the built program, its exit codes, its output
// files and its lines on stdout and stderr.
#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unicode/ucnv.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <sstream>
#include <thread>

#include "../support/tablechecks.h"
#include "clifiles.h"
#include "files/declaration.h"
#include "files/formats.h"
#include "model/presets.h"

namespace {

struct ToolRun {
  int Code;
  std::string Out;
  std::string Err;
};

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Runs qavo-ct with args; shell is put before it (limits, traps).
ToolRun Tool(const std::vector<std::string>& args, const std::string& shell = "") {
  static ScratchDir capture;
  std::string command = shell + Quote(QAVO_CT);
  for (const std::string& arg : args) command += " " + Quote(arg);
  command += " >" + Quote(capture / "out") + " 2>" + Quote(capture / "err");
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Text(ReadFile(capture / "out")),
          Text(ReadFile(capture / "err"))};
}

// The error line must be one line with the tool's name in front.
void ExpectErrorLine(const ToolRun& run, int code, const std::string& message) {
  EXPECT_EQ(run.Code, code) << run.Err;
  EXPECT_EQ(run.Err, "qavo-ct: " + message + "\n");
  EXPECT_EQ(run.Out, "");
}

// A table as the editor holds it after loading bytes under a name.
void LoadLikeTheEditor(CodeTable& table, TableKind kind, const uint8_t (&bytes)[256], const std::string& name) {
  LoadBytes(table, bytes);
  table.SetFontName("Courier New");
  table.BuildHeader(kind, name.c_str());
}

Bytes Image(const uint8_t (&bytes)[256]) { return Bytes(bytes, bytes + 256); }

TEST(Tool, HelpNamesCommandsAndExitCodes) {
  const ToolRun run = Tool({"--help"});
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Err, "");
  for (const char* text :
       {"qavo-ct convert EIN AUS", "qavo-ct translate --table DATEI", "Exit-Codes:", "  1  check hat Befunde",
        "  2  falscher Aufruf", "  3  Eingabe nicht lesbar, nicht erkannt oder ohne die nötige Tabelle",
        "  4  Ausgabe konnte nicht geschrieben werden", " 273 ", "1141"})
    EXPECT_NE(run.Out.find(text), std::string::npos) << text;
  EXPECT_EQ(Tool({"check", "x", "--help"}).Out, run.Out);
}

TEST(Tool, AFullStandardOutputIsAFailure) {
  ScratchDir dir;
  const int status = std::system((Quote(QAVO_CT) + " --help >/dev/full 2>" + Quote(dir / "err")).c_str());
  EXPECT_EQ(WEXITSTATUS(status), 4);
  EXPECT_EQ(Text(ReadFile(dir / "err")), "qavo-ct: Standardausgabe kann nicht geschrieben werden\n");
}

TEST(Tool, BadArgumentsGiveOneLineAndCode2) {
  const std::string hint = " (qavo-ct --help zeigt die Hilfe)";
  ExpectErrorLine(Tool({}), 2, "Befehl fehlt (convert, show, check, build, translate, identify, compare)" + hint);
  ExpectErrorLine(Tool({"frob"}), 2, "unbekannter Befehl frob" + hint);
  ExpectErrorLine(Tool({"show", "a", "b"}), 2, "zu viele Dateien (Aufruf: qavo-ct show DATEI)" + hint);
  ExpectErrorLine(Tool({"convert", "a", "b", "--to", "ebcdic"}), 2,
                  "unbekanntes Format ebcdic (unix, v3, v5, c, pascal, ucm, python, java)");
  ExpectErrorLine(Tool({"build", "o.tab"}), 2, "build braucht --codepage NR oder --ucm DATEI");
  ExpectErrorLine(Tool({"build", "--codepage", "27x", "o.tab"}), 2, "--codepage 27x: keine Codepage-Nummer");
  ExpectErrorLine(Tool({"build", "--codepage", "273", "--workstation", "ebcdic", "o.tab"}), 2,
                  "--workstation ebcdic: erwartet iso8859-1 oder cp1252");
  const ToolRun page = Tool({"build", "--codepage", "999", "o.tab"});
  EXPECT_EQ(page.Code, 2);
  EXPECT_EQ(page.Err.find("qavo-ct: Codepage 999 wird nicht angeboten; verfügbar: 37 273 "), 0u);
  EXPECT_EQ(page.Err.find('\n'), page.Err.size() - 1);
  ExpectErrorLine(Tool({"translate", "a", "b"}), 2, "translate braucht --table DATEI");
  ExpectErrorLine(Tool({"convert", "", "o.qct"}), 2, "kein Dateiname");
  ExpectErrorLine(Tool({"translate", "--table=", "a", "b"}), 2, "kein Dateiname");
  ExpectErrorLine(Tool({"translate", "--table", "-", "-", "b"}), 2,
                  "Tabelle und Eingabe können nicht beide die Standardeingabe sein");
  ExpectErrorLine(Tool({"compare", "a"}), 2, "compare braucht --codepage NR");
}

class ToolFiles : public ::testing::Test {
 protected:
  void WritePair(const std::string& name, const PresetPair& preset) {
    WriteFile(dir_ / name, Concat(preset.Import, preset.Export));
  }
  ScratchDir dir_;
};

TEST_F(ToolFiles, ConvertWritesWhatTheEditorWrites) {
  WritePair("din.tab", kDinPreset);
  const std::string name = dir_ / "din.tab";
  CodeTable export_table(TableKind::kExport), import_table(TableKind::kImport);
  LoadLikeTheEditor(export_table, TableKind::kExport, kDinExport, name);
  LoadLikeTheEditor(import_table, TableKind::kImport, kDinImport, name);

  EXPECT_EQ(Tool({"convert", dir_ / "din.tab", dir_ / "pair.qct"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "pair.qct"), V5PairImage(export_table, import_table));
  EXPECT_EQ(Tool({"convert", dir_ / "din.tab", dir_ / "decl.h"}).Code, 0);
  EXPECT_EQ(Text(ReadFile(dir_ / "decl.h")), CDeclaration(export_table) + CDeclaration(import_table));
  EXPECT_EQ(Tool({"convert", dir_ / "din.tab", dir_ / "decl.pas", "--import"}).Code, 0);
  EXPECT_EQ(Text(ReadFile(dir_ / "decl.pas")), PascalDeclaration(import_table));
  EXPECT_EQ(Tool({"convert", dir_ / "din.tab", dir_ / "import.bin", "--to", "unix", "--import"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "import.bin"), Image(kDinImport));
  EXPECT_EQ(Tool({"convert", dir_ / "din.tab", dir_ / "export.qct", "--export"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "export.qct"), V5Image(export_table, TableKind::kExport));

  EXPECT_EQ(Tool({"convert", dir_ / "pair.qct", dir_ / "renamed.qct", "--name", "DIN"}).Code, 0);
  const Bytes renamed = ReadFile(dir_ / "renamed.qct");
  ASSERT_EQ(renamed.size(), kV5PairImageSize);
  EXPECT_EQ(DecodeV5Image(renamed.data()).Name, "DIN");
  EXPECT_EQ(DecodeV5Image(renamed.data() + kV5ImageSize).Name, "DIN");

  // Back from V5: the name comes from the V5 header, the bytes are the same.
  const ToolRun back = Tool({"convert", "--to=V3", dir_ / "pair.qct", dir_ / "back.tab"});
  EXPECT_EQ(back.Code, 0);
  EXPECT_EQ(back.Err, "");
  EXPECT_EQ(ReadFile(dir_ / "back.tab"), ReadFile(dir_ / "din.tab"));
}

TEST_F(ToolFiles, ConvertNamesTablesOnRequest) {
  WriteFile(dir_ / "e.tab", Image(kIsoCp37Export));
  EXPECT_EQ(Tool({"convert", dir_ / "e.tab", dir_ / "e.h", "--name", "CP37"}).Code, 0);
  CodeTable table(TableKind::kExport);
  LoadLikeTheEditor(table, TableKind::kExport, kIsoCp37Export, "CP37");
  EXPECT_EQ(Text(ReadFile(dir_ / "e.h")), CDeclaration(table));
  EXPECT_NE(Text(ReadFile(dir_ / "e.h")).find("const unsigned char Export_CP37 [256] = {"), std::string::npos);
}

TEST_F(ToolFiles, ConvertRefusalsLeaveTheTargetAlone) {
  WriteFile(dir_ / "e.tab", Image(kDinExport));
  WritePair("pair.tab", kDinPreset);
  WriteFile(dir_ / "old", {1, 2, 3});
  ExpectErrorLine(Tool({"convert", dir_ / "e.tab", dir_ / "old", "--to", "v3"}), 3,
                  dir_ / "e.tab" + " enthält keine IMPORT-Tabelle, das Format V3 braucht beide");
  ExpectErrorLine(Tool({"convert", dir_ / "pair.tab", dir_ / "old", "--to", "unix"}), 2,
                  "das UNIX-Format hält eine Tabelle: --export oder --import angeben");
  ExpectErrorLine(Tool({"convert", dir_ / "pair.tab", dir_ / "old", "--to", "v3", "--export"}), 2,
                  "das Format V3 braucht beide Tabellen (ohne --export/--import)");
  WriteFile(dir_ / "e.qct", V5Image(CodeTable(TableKind::kExport), TableKind::kExport));
  ExpectErrorLine(Tool({"convert", dir_ / "e.qct", dir_ / "old", "--to", "v5", "--import"}), 3,
                  dir_ / "e.qct" + " enthält keine IMPORT-Tabelle");
  ExpectErrorLine(
      Tool({"convert", dir_ / "e.tab", dir_ / "old"}), 2,
      dir_ / "old" + ": Format nicht an der Endung erkennbar, bitte --to unix|v3|v5|c|pascal|ucm|python|java angeben");
  ExpectErrorLine(Tool({"convert", dir_ / "absent", dir_ / "old", "--to", "v5"}), 3,
                  dir_ / "absent" + ": kann nicht gelesen werden (nicht gefunden)");
  WriteFile(dir_ / "odd", Bytes(300, 0));
  ExpectErrorLine(Tool({"convert", dir_ / "odd", dir_ / "old", "--to", "v5"}), 3,
                  dir_ / "odd" + ": unbekanntes Dateiformat");
  std::filesystem::create_directory(dir_ / "sub");
  ExpectErrorLine(Tool({"convert", dir_ / "pair.tab", dir_ / "sub", "--to", "v5"}), 4,
                  dir_ / "sub" + ": kann nicht geschrieben werden (ist ein Verzeichnis)");
  EXPECT_EQ(ReadFile(dir_ / "old"), (Bytes{1, 2, 3}));
  std::vector<std::string> names = dir_.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"e.qct", "e.tab", "odd", "old", "pair.tab", "sub"}));
}

TEST_F(ToolFiles, IncompleteTablesAreWrittenOneToOneWithANote) {
  CodeTable table(TableKind::kExport);
  table.Assign(0x20, 0x40);
  WriteFile(dir_ / "gaps.qct", V5Image(table, TableKind::kExport));
  const ToolRun run = Tool({"convert", dir_ / "gaps.qct", dir_ / "gaps.tab"});
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Err,
            "qavo-ct: Hinweis: EXPORT-Tabelle unvollständig oder leer, nicht zugeordnete Zeichen bleiben 1:1\n");
  EXPECT_EQ(ReadFile(dir_ / "gaps.tab"), UnixImage(table));
}

TEST_F(ToolFiles, CheckIsCleanOnlyForTheCleanPresets) {
  for (const PresetPair* preset : {&kDinPreset, &kIsoCp37Preset, &kIsoCp273Preset}) {
    WritePair("pair.tab", *preset);
    const ToolRun run = Tool({"check", dir_ / "pair.tab"});
    EXPECT_EQ(run.Code, 0) << preset->ExportName << run.Out;
    EXPECT_EQ(run.Out,
              "sauber: EXPORT und IMPORT sind vollständig, eindeutig und übersetzen einander zurück\n"
              "Zeilenende: 15 <-> 85, 25 <-> 0A (üblich)\n");
    EXPECT_EQ(run.Err, "");
  }
  WritePair("unix.tab", kUnixPreset);
  const ToolRun unix = Tool({"check", dir_ / "unix.tab"});
  EXPECT_EQ(unix.Code, 1);
  EXPECT_EQ(unix.Err, "");
  EXPECT_EQ(unix.Out.substr(0, 55), "EXPORT: Code 00 mehrdeutig, Ziel von Positionen (126): ");
  EXPECT_NE(unix.Out.find("\nIMPORT: Code 1A mehrdeutig, Ziel von Positionen (129): 04 06 08"), std::string::npos);

  WritePair("din.tab", kDinPreset);
  const ToolRun single = Tool({"check", dir_ / "din.tab", "--export"});
  EXPECT_EQ(single.Code, 1);
  EXPECT_EQ(single.Out, "IMPORT-Tabelle fehlt\n");
  ExpectErrorLine(Tool({"check", dir_ / "absent"}), 3,
                  dir_ / "absent" + ": kann nicht gelesen werden (nicht gefunden)");
}

TEST_F(ToolFiles, ShowPrintsTheGridsAndTheLegend) {
  WritePair("din.tab", kDinPreset);
  const ToolRun run = Tool({"show", dir_ / "din.tab", "--name", "DIN"});
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(run.Out.substr(0, 46), "EXPORT  QAVO CodeTab EXPORT [Courier New] DIN\n");
  EXPECT_NE(run.Out.find("\nIMPORT  QAVO CodeTab IMPORT [Courier New] DIN\n"), std::string::npos);
  EXPECT_NE(run.Out.find("\n  4_ 20= A0= A1= A2= A3= A4= A5= A6= A7= A8= 5B= 2E= 3C= 28= 2B= 21=\n"),
            std::string::npos);
  EXPECT_NE(run.Out.find("\nZeichen: XX= bestätigt"), std::string::npos);

  WriteFile(dir_ / "e.tab", Image(kDinExport));
  const ToolRun forced = Tool({"show", dir_ / "e.tab", "--import"});
  EXPECT_EQ(forced.Code, 0);
  EXPECT_EQ(forced.Out.substr(0, 8), "IMPORT  ");
  EXPECT_EQ(forced.Out.find("EXPORT  "), std::string::npos);
  Bytes identity(256);
  for (int p = 0; p < 256; ++p) identity[p] = static_cast<uint8_t>(p);
  WriteFile(dir_ / "identity", identity);
  ExpectErrorLine(Tool({"show", dir_ / "identity"}), 3,
                  dir_ / "identity" + ": IMPORT/EXPORT nicht erkannt Evtl. 256 Byte vorgeben (--export oder --import)");
}

TEST_F(ToolFiles, BuildWritesTheCodePagePair) {
  EXPECT_EQ(Tool({"build", "--codepage", "273", dir_ / "p273.tab"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "p273.tab"), Concat(kIsoCp273Import, kIsoCp273Export));

  const ToolRun c = Tool({"build", "--codepage=037", "--to", "c", dir_ / "p37"});
  EXPECT_EQ(c.Code, 0);
  CodeTable export_table(TableKind::kExport), import_table(TableKind::kImport);
  LoadLikeTheEditor(export_table, TableKind::kExport, kIsoCp37Export, kIsoCp37Preset.ExportName);
  LoadLikeTheEditor(import_table, TableKind::kImport, kIsoCp37Import, kIsoCp37Preset.ImportName);
  EXPECT_EQ(Text(ReadFile(dir_ / "p37")), CDeclaration(export_table) + CDeclaration(import_table));

  EXPECT_EQ(Tool({"build", "--codepage", "1047", "--swap-nl", "--import", dir_ / "nl.tab"}).Code, 0);
  const Bytes nl = ReadFile(dir_ / "nl.tab");
  ASSERT_EQ(nl.size(), 256u);
  EXPECT_EQ(nl[0x15], 0x0A);
  EXPECT_EQ(nl[0x25], 0x85);

  const ToolRun euro = Tool({"build", "--codepage", "CP1141", "--workstation", "CP1252", dir_ / "p1141.qct"});
  EXPECT_EQ(euro.Code, 0);
  EXPECT_EQ(euro.Err, "");
  const Bytes v5 = ReadFile(dir_ / "p1141.qct");
  ASSERT_EQ(v5.size(), kV5PairImageSize);
  const V5Table exported = DecodeV5Image(v5.data());
  EXPECT_EQ(exported.Name, "CP1252_CP1141");
  EXPECT_EQ(exported.Entries[0x80].Target, 0x9F);
  EXPECT_EQ(exported.Entries[0x82].Target, -1);
  EXPECT_EQ(DecodeV5Image(v5.data() + kV5ImageSize).Name, "CP1141_CP1252");
}

// ISO 8859-1 text as iconv converts it to the code page.
Bytes Iconv(const char* to, const Bytes& text) {
  const iconv_t cd = iconv_open(to, "ISO-8859-1");
  Bytes out(text.size());
  char* in = reinterpret_cast<char*>(const_cast<uint8_t*>(text.data()));
  char* at = reinterpret_cast<char*>(out.data());
  size_t in_left = text.size(), out_left = out.size();
  const size_t done = iconv(cd, &in, &in_left, &at, &out_left);
  iconv_close(cd);
  EXPECT_NE(done, static_cast<size_t>(-1));
  return out;
}

TEST_F(ToolFiles, TranslateEqualsIconvAndComesBack) {
  std::mt19937 random(9);
  Bytes text(3 * 1024 * 1024 + 5);
  for (uint8_t& byte : text) {
    do byte = static_cast<uint8_t>(random());
    while (byte == 0xA4);  // the currency sign has no place in CP 1141
  }
  WriteFile(dir_ / "text", text);
  EXPECT_EQ(Tool({"build", "--codepage", "1141", dir_ / "p1141.tab"}).Code, 0);
  const ToolRun there = Tool({"translate", "--table", dir_ / "p1141.tab", dir_ / "text", dir_ / "host"});
  EXPECT_EQ(there.Code, 0);
  EXPECT_EQ(there.Err, "");
  EXPECT_EQ(ReadFile(dir_ / "host"), Iconv("IBM1141", text));
  EXPECT_EQ(Tool({"translate", "--import", "--table", dir_ / "p1141.tab", dir_ / "host", dir_ / "back"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "back"), text);
  // In place: the file is read whole before it is replaced.
  EXPECT_EQ(Tool({"translate", "--table", dir_ / "p1141.tab", dir_ / "back", dir_ / "back"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "back"), ReadFile(dir_ / "host"));
}

TEST_F(ToolFiles, TranslateWithAForcedOrMissingTable) {
  WriteFile(dir_ / "e.tab", Image(kDinExport));
  WriteFile(dir_ / "in", {0x41, 0x20, 0xC1});
  EXPECT_EQ(Tool({"translate", "--table", dir_ / "e.tab", "--import", dir_ / "in", dir_ / "out"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "out"), (Bytes{kDinExport[0x41], kDinExport[0x20], kDinExport[0xC1]}));
  ExpectErrorLine(Tool({"translate", "--table", dir_ / "pair.tab", dir_ / "in", dir_ / "out"}), 3,
                  dir_ / "pair.tab" + ": kann nicht gelesen werden (nicht gefunden)");
  WriteFile(dir_ / "i.qct", V5Image(CodeTable(TableKind::kImport), TableKind::kImport));
  ExpectErrorLine(Tool({"translate", "--table", dir_ / "i.qct", dir_ / "in", dir_ / "out"}), 3,
                  dir_ / "i.qct" + " enthält keine EXPORT-Tabelle");
}

TEST_F(ToolFiles, TranslateFailuresWriteNothing) {
  WriteFile(dir_ / "e.tab", Image(kDinExport));
  WriteFile(dir_ / "in", Bytes(4096, 0x41));
  WriteFile(dir_ / "out", {7});
  ExpectErrorLine(Tool({"translate", "--table", dir_ / "e.tab", dir_ / "absent", dir_ / "out"}), 3,
                  dir_ / "absent" + ": kann nicht gelesen werden (nicht gefunden)");
  ExpectErrorLine(Tool({"translate", "--table", dir_ / "e.tab", dir_.Path, dir_ / "out"}), 3,
                  dir_.Path + ": kann nicht gelesen werden (ist ein Verzeichnis)");
  ExpectErrorLine(Tool({"translate", "--table", dir_ / "e.tab", dir_ / "in", dir_ / "none/out"}), 4,
                  dir_ / "none/out" + ": kann nicht geschrieben werden (nicht gefunden)");
  // Files may not grow beyond 1024 bytes: the write fails halfway.
  ExpectErrorLine(
      Tool({"translate", "--table", dir_ / "e.tab", dir_ / "in", dir_ / "out"}, "trap '' XFSZ; ulimit -f 2; "), 4,
      dir_ / "out" + ": kann nicht geschrieben werden (Datei zu groß)");
  EXPECT_EQ(ReadFile(dir_ / "out"), (Bytes{7}));
  std::vector<std::string> names = dir_.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"e.tab", "in", "out"}));
}

// Commands that must not block on a pipe are given ten seconds.
const std::string kNoHang = "timeout 10 ";
const std::string kNotRegular = ": kann nicht gelesen werden (keine reguläre Datei)";

TEST_F(ToolFiles, EndlessOrBlockingTablesAreRefused) {
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  WriteFile(dir_ / "in", {1});
  for (const std::string& table : {std::string("/dev/zero"), dir_ / "fifo"}) {
    ExpectErrorLine(Tool({"show", table}, kNoHang), 3, table + kNotRegular);
    ExpectErrorLine(Tool({"check", table}, kNoHang), 3, table + kNotRegular);
    ExpectErrorLine(Tool({"convert", table, dir_ / "out.qct"}, kNoHang), 3, table + kNotRegular);
    ExpectErrorLine(Tool({"translate", "--table", table, dir_ / "in", dir_ / "out"}, kNoHang), 3, table + kNotRegular);
  }
}

TEST_F(ToolFiles, OutputsThatAreNoRegularFilesAreRefused) {
  WritePair("pair.tab", kDinPreset);
  WriteFile(dir_ / "in", {1});
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("nowhere", dir_ / "dangling");
  const std::string refused = ": kann nicht geschrieben werden (keine reguläre Datei)";
  ExpectErrorLine(Tool({"convert", dir_ / "pair.tab", dir_ / "fifo", "--to", "v5"}, kNoHang), 4,
                  dir_ / "fifo" + refused);
  ExpectErrorLine(Tool({"convert", dir_ / "pair.tab", dir_ / "dangling", "--to", "v5"}), 4,
                  dir_ / "dangling" + ": kann nicht geschrieben werden (Verknüpfung ohne Ziel)");
  struct stat info;
  ASSERT_EQ(lstat((dir_ / "fifo").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "dangling"));
  EXPECT_EQ(dir_.Names().size(), 4u);
}

TEST_F(ToolFiles, AWriteProtectedOutputIsRefused) {
  WritePair("pair.tab", kDinPreset);
  WriteFile(dir_ / "locked.qct", {1});
  chmod((dir_ / "locked.qct").c_str(), 0444);
  std::string as_user;
  if (geteuid() == 0) {
    // root may write anything; an ordinary user must be refused.
    chmod(dir_.Path.c_str(), 0777);
    chmod((dir_ / "pair.tab").c_str(), 0644);
    as_user = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  const ToolRun run = Tool({"convert", dir_ / "pair.tab", dir_ / "locked.qct"}, as_user);
  EXPECT_EQ(run.Code, 4);
  EXPECT_EQ(run.Err, "qavo-ct: " + dir_ / "locked.qct" + ": kann nicht geschrieben werden (keine Berechtigung)\n");
  EXPECT_EQ(ReadFile(dir_ / "locked.qct"), Bytes{1});
}

TEST_F(ToolFiles, NamesOfTheFullLengthAreWritten) {
  WritePair("pair.tab", kDinPreset);
  const std::string name = dir_ / (std::string(251, 'n') + ".qct");
  EXPECT_EQ(Tool({"convert", dir_ / "pair.tab", name}).Code, 0);
  EXPECT_EQ(Tool({"convert", dir_ / "pair.tab", name}).Code, 0);
  EXPECT_EQ(ReadFile(name).size(), kV5PairImageSize);
  EXPECT_EQ(dir_.Names().size(), 2u);
}

TEST_F(ToolFiles, EveryFailureIsOneEscapedLine) {
  const std::string odd = dir_ / "a\nb\xFF\x1B";
  ExpectErrorLine(Tool({"show", odd}), 3, dir_ / "a\\x0Ab\\xFF\\x1B: kann nicht gelesen werden (nicht gefunden)");
  ExpectErrorLine(Tool({"fr\nob"}), 2, "unbekannter Befehl fr\\x0Aob (qavo-ct --help zeigt die Hilfe)");
  // An incomplete table whose output fails: the failure alone, no note.
  CodeTable table(TableKind::kExport);
  table.Assign(0x20, 0x40);
  WriteFile(dir_ / "gaps.qct", V5Image(table, TableKind::kExport));
  ExpectErrorLine(Tool({"convert", dir_ / "gaps.qct", dir_ / "none/gaps.tab"}), 4,
                  dir_ / "none/gaps.tab" + ": kann nicht geschrieben werden (nicht gefunden)");
}

TEST_F(ToolFiles, ShowEscapesControlBytesOfNames) {
  WritePair("pair.tab", kDinPreset);
  ASSERT_EQ(Tool({"convert", dir_ / "pair.tab", dir_ / "odd.qct", "--name",
                  "a\x1B[31m\r\x7F"
                  "b"})
                .Code,
            0);
  const ToolRun run = Tool({"show", dir_ / "odd.qct"});
  EXPECT_EQ(run.Code, 0);
  const std::string header = "EXPORT  QAVO CodeTab EXPORT [Courier New] a\\x1B[31m\\x0D\\x7Fb\n";
  EXPECT_EQ(run.Out.substr(0, header.size()), header);
}

TEST_F(ToolFiles, ConvertIntoAFileSizeLimitGivesItsReason) {
  WritePair("pair.tab", kDinPreset);
  ExpectErrorLine(Tool({"convert", dir_ / "pair.tab", dir_ / "out.qct"}, "trap '' XFSZ; ulimit -f 2; "), 4,
                  dir_ / "out.qct" + ": kann nicht geschrieben werden (Datei zu groß)");
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"pair.tab"});
}

TEST_F(ToolFiles, BuildWithTheWorkstationGivenExplicitly) {
  EXPECT_EQ(Tool({"build", "--codepage", "273", "--workstation", "iso8859-1", dir_ / "p.tab"}).Code, 0);
  EXPECT_EQ(ReadFile(dir_ / "p.tab"), Concat(kIsoCp273Import, kIsoCp273Export));
}

int Shell(const std::string& command) {
  const int status = std::system(("set -e; " + command).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ToolFiles, TranslateIsAFilter) {
  WriteFile(dir_ / "e.tab", Image(kDinExport));
  WriteFile(dir_ / "expected", {kDinExport['A'], kDinExport['B'], kDinExport['\n']});
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  const std::string translate = Quote(QAVO_CT) + " translate --table " + Quote(dir_ / "e.tab");
  const std::string fifo = Quote(dir_ / "fifo"), err = " 2>" + Quote(dir_ / "err");
  EXPECT_EQ(Shell("printf 'AB\\n' | " + translate + " - - | cmp - " + Quote(dir_ / "expected")), 0);
  EXPECT_EQ(
      Shell("cat " + fifo + " >" + Quote(dir_ / "got") + " & printf 'AB\\n' | " + translate + " - " + fifo + "; wait"),
      0);
  EXPECT_EQ(ReadFile(dir_ / "got"), ReadFile(dir_ / "expected"));
  struct stat info;
  ASSERT_EQ(lstat((dir_ / "fifo").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  // A closed pipe on standard output ends quietly; a named FIFO's reader that
  // goes is a failure.
  EXPECT_EQ(Shell("head -c 9000000 /dev/zero | " + translate + " - -" + err + " | head -c 1 >/dev/null"), 0);
  EXPECT_EQ(Text(ReadFile(dir_ / "err")), "");
  EXPECT_EQ(Shell("head -c 1 " + fifo + " >/dev/null & head -c 9000000 /dev/zero | " + translate + " - " + fifo + err +
                  " || echo $? >" + Quote(dir_ / "code") + "; wait"),
            0);
  EXPECT_EQ(Text(ReadFile(dir_ / "code")), "4\n");
  EXPECT_EQ(Text(ReadFile(dir_ / "err")),
            "qavo-ct: " + dir_ / "fifo" + ": kann nicht geschrieben werden (der Leser hat geschlossen)\n");
  ExpectErrorLine(Tool({"translate", "--table", dir_ / "e.tab", dir_ / "expected", "/dev/full"}), 4,
                  "/dev/full: kann nicht geschrieben werden (kein Platz mehr auf dem Datenträger)");
  EXPECT_EQ(dir_.Names().size(), 6u);
}

// Every name of standard output writes into it as the shell opened it, and
// "-" reads and writes tables on the standard streams.
TEST_F(ToolFiles, StandardStreamsForEveryCommand) {
  WritePair("pair.tab", kDinPreset);
  WriteFile(dir_ / "log", ToBytes("vorher\n"));
  const std::string tool = Quote(QAVO_CT), pair = Quote(dir_ / "pair.tab"), log = " >>" + Quote(dir_ / "log");
  for (const char* name : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "-"})
    EXPECT_EQ(Shell("printf A | " + tool + " translate --table " + pair + " - " + name + log), 0) << name;
  EXPECT_EQ(Shell(tool + " convert " + pair + " /dev/stdout --to c" + log), 0);
  EXPECT_EQ(Shell(tool + " convert - " + Quote(dir_ / "log") + " --to v5 --import --name n <" + pair + log), 0);
  EXPECT_EQ(Shell(tool + " build --codepage 273 --to ucm - | " + tool + " build --ucm - - --to v3" + log), 0);
  CodeTable export_table(TableKind::kExport), import_table(TableKind::kImport), named(TableKind::kImport);
  LoadLikeTheEditor(export_table, TableKind::kExport, kDinExport, dir_ / "pair.tab");
  LoadLikeTheEditor(import_table, TableKind::kImport, kDinImport, dir_ / "pair.tab");
  LoadLikeTheEditor(named, TableKind::kImport, kDinImport, "n");
  const std::string written = "vorher\n" + std::string(4, static_cast<char>(kDinExport['A'])) +
                              CDeclaration(export_table) + CDeclaration(import_table) +
                              Text(V5Image(named, TableKind::kImport)) + Text(Concat(kIsoCp273Import, kIsoCp273Export));
  EXPECT_EQ(Text(ReadFile(dir_ / "log")), written);
  const std::string shown = Quote(dir_ / "shown");
  EXPECT_EQ(Shell(tool + " show --name n " + pair + " >" + shown + "; " + tool + " show --name n - <" + pair +
                  " | cmp - " + shown),
            0);
}

// A translate that reads from a pipe is in the middle of its work until the
// pipe closes: the signal finds its temporary file there.
void ExpectSignalRemovesTheTemporaryFile(const ScratchDir& dir, int signal) {
  const std::string in = dir / "in", out = dir / "out";
  ASSERT_EQ(mkfifo(in.c_str(), 0600), 0);
  std::vector<std::string> args = {QAVO_CT, "translate", "--table", dir / "e.tab", in, out};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, QAVO_CT, nullptr, nullptr, argv.data(), environ), 0);
  const int pipe = open(in.c_str(), O_WRONLY);
  const Bytes block(4 << 20, 0x41);
  ASSERT_EQ(write(pipe, block.data(), block.size()), static_cast<ssize_t>(block.size()));
  for (int wait = 0; wait < 500 && dir.Names().size() < 3; ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(dir.Names().size(), 3u) << "no temporary file while translating";
  kill(child, signal);
  int status = 0;
  waitpid(child, &status, 0);
  close(pipe);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
  std::vector<std::string> names = dir.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"e.tab", "in"}));
  std::filesystem::remove(in);
}

TEST_F(ToolFiles, ASignalDuringTranslateRemovesTheTemporaryFile) {
  WriteFile(dir_ / "e.tab", Image(kDinExport));
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ExpectSignalRemovesTheTemporaryFile(dir_, signal);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string HexWord(const char* table, int position) {
  char text[12];
  std::snprintf(text, sizeof text, "%s %02X", table, position);
  return text;
}

// The single byte iconv makes of byte, -1 when none.
int IconvByte(const std::string& to, const std::string& from, int byte) {
  const iconv_t cd = iconv_open(to.c_str(), from.c_str());
  char in = static_cast<char>(byte), out[8];
  char *in_at = &in, *out_at = out;
  size_t in_left = 1, out_left = sizeof out;
  const bool done = iconv(cd, &in_at, &in_left, &out_at, &out_left) != static_cast<size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &out_at, &out_left) != static_cast<size_t>(-1);
  iconv_close(cd);
  return done && out_at - out == 1 ? static_cast<unsigned char>(out[0]) : -1;
}

// Where iconv and ICU build a page differently for ISO 8859-1, from the two
// libraries themselves: "EXPORT AA", "IMPORT 9A".
std::vector<std::string> LibrariesDisagree(int page) {
  const std::string host = "IBM" + std::to_string(page);
  UErrorCode error = U_ZERO_ERROR;
  UConverter* icu = ucnv_open(("ibm-" + std::to_string(page)).c_str(), &error);
  ucnv_setFromUCallBack(icu, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  ucnv_setToUCallBack(icu, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
  EXPECT_TRUE(U_SUCCESS(error));
  std::vector<std::string> positions;
  for (int p = 0; p < 256; ++p) {
    const UChar character = static_cast<UChar>(p);
    char out[4];
    error = U_ZERO_ERROR;
    const bool one = ucnv_fromUChars(icu, out, sizeof out, &character, 1, &error) == 1 && U_SUCCESS(error);
    if ((one ? static_cast<unsigned char>(out[0]) : -1) != IconvByte(host, "ISO-8859-1", p))
      positions.push_back(HexWord("EXPORT", p));
  }
  for (int p = 0; p < 256; ++p) {
    const char byte = static_cast<char>(p);
    UChar character[4];
    error = U_ZERO_ERROR;
    const bool one = ucnv_toUChars(icu, character, 4, &byte, 1, &error) == 1 && U_SUCCESS(error);
    if ((one && character[0] < 0x100 ? character[0] : -1) != IconvByte("ISO-8859-1", host, p))
      positions.push_back(HexWord("IMPORT", p));
  }
  ucnv_close(icu);
  return positions;
}

TEST_F(ToolFiles, IdentifyFindsTheBuiltPageAndExactlyTheChangedEntries) {
  ASSERT_EQ(Tool({"build", "--codepage", "273", dir_ / "p273.tab"}).Code, 0);
  const auto identify = [&](const std::string& file, const std::string& first_end) {
    const ToolRun run = Tool({"identify", dir_ / file});
    EXPECT_EQ(run.Code, 0);
    const std::vector<std::string> lines = Lines(run.Out);
    ASSERT_EQ(lines.size(), 6u) << run.Out;
    EXPECT_EQ(lines[0].find("CP 273 (iconv IBM273"), 0u) << lines[0];
    EXPECT_EQ(lines[0].substr(lines[0].find("): ") + 3), first_end);
    EXPECT_EQ(lines[5], "Zeilenende: 15 <-> 85, 25 <-> 0A (üblich)");
  };
  identify("p273.tab", "512 von 512 gleich");
  Bytes pair = ReadFile(dir_ / "p273.tab");  // IMPORT, then EXPORT
  pair[256 + 0x4F] = 0x5A;
  pair[0x9F] = 0x24;
  WriteFile(dir_ / "changed.tab", pair);
  identify("changed.tab", "510 von 512 gleich; abweichend EXPORT 4F, IMPORT 9F");
}

TEST_F(ToolFiles, CompareListsWhereThePairIconvAndIcuDisagree) {
  for (const int page : {273, 278, 1026}) {
    const std::string file = dir_ / ("p" + std::to_string(page) + ".tab");
    ASSERT_EQ(Tool({"build", "--codepage", std::to_string(page), file}).Code, 0);
    const ToolRun run = Tool({"compare", file, "--codepage", std::to_string(page)});
    const std::vector<std::string> expected = LibrariesDisagree(page);
    EXPECT_EQ(run.Code, expected.empty() ? 0 : 1) << run.Out;
    std::vector<std::string> listed;
    for (const std::string& line : Lines(run.Out))
      if (line.rfind("EXPORT ", 0) == 0 || line.rfind("IMPORT ", 0) == 0) listed.push_back(line.substr(0, 9));
    EXPECT_EQ(listed, expected) << run.Out;
  }
  WritePair("din.tab", kDinPreset);
  const ToolRun iconv_only = Tool({"compare", dir_ / "din.tab", "--codepage", "9030"});
  EXPECT_EQ(Lines(iconv_only.Out)[0], "CP 9030: iconv IBM9030; ICU kennt die Codepage nicht; Arbeitsplatz ISO 8859-1");
  ExpectErrorLine(Tool({"compare", dir_ / "din.tab", "--codepage", "999"}), 2,
                  "Codepage 999 kennen weder iconv noch ICU");
}

TEST_F(ToolFiles, CheckNamesTheNewlineAndADisagreementIsAFinding) {
  ASSERT_EQ(Tool({"build", "--codepage", "1047", "--swap-nl", dir_ / "zos.tab"}).Code, 0);
  const ToolRun zos = Tool({"check", dir_ / "zos.tab"});
  EXPECT_EQ(zos.Code, 0);
  EXPECT_EQ(zos.Out,
            "sauber: EXPORT und IMPORT sind vollständig, eindeutig und übersetzen einander zurück\n"
            "Zeilenende: 15 <-> 0A (z/OS UNIX)\n");
  ASSERT_EQ(Tool({"build", "--codepage", "1047", dir_ / "usual.tab"}).Code, 0);
  Bytes pair = ReadFile(dir_ / "usual.tab");
  std::swap(pair[0x15], pair[0x25]);
  WriteFile(dir_ / "half.tab", pair);
  const ToolRun half = Tool({"check", dir_ / "half.tab"});
  EXPECT_EQ(half.Code, 1);
  EXPECT_EQ(Lines(half.Out).back(),
            "Zeilenende: EXPORT und IMPORT uneinig: IMPORT 15 -> 0A, 25 -> 85; EXPORT 0A -> 25, 85 -> 15");
}

}  // namespace
