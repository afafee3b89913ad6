// The .ucm files of qavo-ct with ICU's own tools: compiled by makeconv and
// used by uconv, they convert as translate does.
#include <cstdio>
#include <numeric>

#include "cli/tablefile.h"
#include "cli/ucmfile.h"
#include "clifiles.h"

namespace {

// Runs a shell command; its exit code.
int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Tool() { return std::string("'") + QAVO_CT + "'"; }

// "icudt72l" for ICU 72: where ICU looks for a converter below ICU_DATA.
std::string IcuDataFolder() {
  FILE* pipe = popen("uconv --version", "r");
  char text[256] = {};
  const size_t got = pipe ? std::fread(text, 1, sizeof text - 1, pipe) : 0;
  if (pipe) pclose(pipe);
  const std::string version(text, got);
  const size_t at = version.find("ICU ");
  return at == std::string::npos ? std::string() : "icudt" + std::to_string(std::atoi(version.c_str() + at + 4)) + "l";
}

std::vector<int> Targets(const CodeTable& table) {
  std::vector<int> targets;
  for (const TableEntry& entry : table.Entries()) targets.push_back(entry.Target);
  return targets;
}

class Icu : public ::testing::Test {
 protected:
  void SetUp() override {
    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);
    WriteFile(dir_ / "all", all);
    data_ = dir_ / "data";
    const std::string folder = IcuDataFolder();
    ASSERT_NE(folder, "") << "uconv (icu-devtools) fehlt";
    std::filesystem::create_directories(data_ + "/" + folder);
    cnv_folder_ = data_ + "/" + folder;
  }

  // Compiles name.ucm and converts the 256 bytes with it: Latin-1 to host
  // bytes, or (toUnicode) host bytes to Latin-1.
  Bytes Uconv(const std::string& name, bool to_unicode) {
    EXPECT_EQ(Shell("makeconv -d '" + cnv_folder_ + "' '" + dir_ / name + ".ucm'"), 0);
    const std::string from = to_unicode ? name : "iso-8859-1", to = to_unicode ? "iso-8859-1" : name;
    EXPECT_EQ(Shell("ICU_DATA='" + data_ + "' uconv --callback substitute -f " + from + " -t " + to + " '" +
                    dir_ / "all" + "' >'" + dir_ / "uconv" + "'"),
              0);
    return ReadFile(dir_ / "uconv");
  }

  Bytes Translate(const std::string& table, bool import) {
    EXPECT_EQ(Shell(Tool() + " translate " + (import ? "--import " : "") + "--table '" + dir_ / table + "' '" +
                    dir_ / "all" + "' '" + dir_ / "translated" + "'"),
              0);
    return ReadFile(dir_ / "translated");
  }

  // The .ucm read back by build gives the pair of the table file.
  void ExpectReadBack(const std::string& name, const std::string& pair_file) {
    ASSERT_EQ(Shell(Tool() + " build --ucm '" + dir_ / name + ".ucm' '" + dir_ / "back.qct" + "'"), 0);
    TablePair original, back;
    std::string error;
    ASSERT_EQ(ReadTableFile(dir_ / pair_file, TableKind::kUnknown, nullptr, original, error), ReadResult::kLoaded)
        << error;
    ASSERT_EQ(ReadTableFile(dir_ / "back.qct", TableKind::kUnknown, nullptr, back, error), ReadResult::kLoaded)
        << error;
    EXPECT_EQ(Targets(back.ExportTable), Targets(original.ExportTable));
    EXPECT_EQ(Targets(back.ImportTable), Targets(original.ImportTable));
    EXPECT_STREQ(back.ImportTable.HeaderName(), name.c_str());
  }

  ScratchDir dir_;
  std::string data_, cnv_folder_;
};

TEST_F(Icu, Cp273PairConvertsAsTranslateAndAsIcusIbm273) {
  const std::string name = "ISO8859-1_CP273";
  ASSERT_EQ(Shell(Tool() + " build --codepage 273 '" + dir_ / "pair.qct" + "'"), 0);
  ASSERT_EQ(Shell(Tool() + " convert '" + dir_ / "pair.qct" + "' '" + dir_ / name + ".ucm'"), 0);
  const Bytes translated = Translate("pair.qct", false);
  ASSERT_EQ(translated.size(), 256u);
  EXPECT_EQ(Uconv(name, false), translated);
  ASSERT_EQ(Shell("uconv -f iso-8859-1 -t ibm-273 '" + dir_ / "all" + "' >'" + dir_ / "ibm" + "'"), 0);
  EXPECT_EQ(ReadFile(dir_ / "ibm"), translated);
  EXPECT_EQ(Uconv(name, true), Translate("pair.qct", true));
  ExpectReadBack(name, "pair.qct");
}

TEST_F(Icu, Cp1141PairConvertsWhatItAssignsAndSubstitutesTheRest) {
  const std::string name = "ISO8859-1_CP1141";
  ASSERT_EQ(Shell(Tool() + " build --codepage 1141 '" + dir_ / "pair.qct" + "'"), 0);
  ASSERT_EQ(Shell(Tool() + " build --codepage 1141 --to ucm '" + dir_ / name + ".ucm'"), 0);
  TablePair pair;
  std::string error;
  ASSERT_EQ(ReadTableFile(dir_ / "pair.qct", TableKind::kUnknown, nullptr, pair, error), ReadResult::kLoaded) << error;
  Bytes expected = Translate("pair.qct", false);
  ASSERT_EQ(expected.size(), 256u);
  std::vector<int> unassigned;
  for (int p = 0; p < 256; ++p)
    if (pair.ExportTable.Target(p) == -1) {
      unassigned.push_back(p);
      expected[p] = 0x3F;
    }
  EXPECT_EQ(unassigned, std::vector<int>{0xA4});
  EXPECT_EQ(Uconv(name, false), expected);
  ExpectReadBack(name, "pair.qct");
}

TEST_F(Icu, WrongCallsAndRefusedFilesAreToldInOneLine) {
  const auto err = [this](const std::string& args, int code) {
    EXPECT_EQ(Shell("cd '" + dir_.Path + "' && " + Tool() + " " + args + " 2>err"), code) << args;
    const Bytes text = ReadFile(dir_ / "err");
    return std::string(text.begin(), text.end());
  };
  WriteFile(dir_ / "mbcs.ucm", ToBytes("<code_set_name> \"x\"\n<uconv_class> \"MBCS\"\nCHARMAP\nEND CHARMAP\n"));
  EXPECT_EQ(err("build --ucm mbcs.ucm o.qct", 3),
            "qavo-ct: mbcs.ucm: Zeile 2: keine Single-Byte-Tabelle (<uconv_class> \"MBCS\")\n");
  EXPECT_EQ(err("build --ucm mbcs.ucm --codepage 273 o.qct", 2),
            "qavo-ct: --codepage und --ucm schließen einander aus\n");
  EXPECT_EQ(err("build --codepage 273 --export o.ucm", 2),
            "qavo-ct: das Format ucm braucht beide Tabellen (ohne --export/--import)\n");
  EXPECT_EQ(err("build --codepage 273 --workstation cp850 o.ucm", 2),
            "qavo-ct: --workstation cp850: erwartet iso8859-1 oder cp1252\n");
  WriteFile(dir_ / "big.ucm", Bytes(kUcmFileLimit + 1, '#'));
  EXPECT_EQ(err("build --ucm big.ucm o.qct", 3),
            "qavo-ct: big.ucm: zu groß für eine Zeichensatztabelle (mehr als 4 MiB)\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "o.qct"));
  WriteFile(dir_ / "euro.ucm", ToBytes("CHARMAP\n<U20AC> \\x9F |0\n<U00A4> \\x9F |1\nEND CHARMAP\n"));
  EXPECT_EQ(err("build --ucm euro.ucm o.qct", 0),
            "qavo-ct: Hinweis: 1 Zeichen außerhalb von ISO 8859-1 nicht übernommen: U+20AC (Zeile 2)\n");
  // A long list is cut after 20 characters.
  std::string many = "CHARMAP\n<U00A4> \\x9F |1\n", expected;
  for (int i = 0; i < 154; ++i) {
    char line[40];
    std::snprintf(line, sizeof line, "<U%04X> \\x9F |1\n", 0x100 + i);
    many += line;
    if (i < 20) std::snprintf(line, sizeof line, " U+%04X (Zeile %d)", 0x100 + i, i + 3);
    if (i < 20) expected += line;
  }
  WriteFile(dir_ / "many.ucm", ToBytes(many + "END CHARMAP\n"));
  EXPECT_EQ(
      err("build --ucm many.ucm o.qct", 0),
      "qavo-ct: Hinweis: 154 Zeichen außerhalb von ISO 8859-1 nicht übernommen:" + expected + " ... und 134 weitere\n");
}

}  // namespace
