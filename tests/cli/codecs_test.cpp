// The Python codec and the Java charset that convert writes: run by the
// system's python3 and by a Java program compiled here, they decode and
// encode as the tables do, and substitute what the tables leave out.
#include <cstdio>
#include <map>

#include "cli/tablefile.h"
#include "clifiles.h"
#include "files/codepages.h"

namespace {

std::string Quote(const std::string& text) { return "'" + text + "'"; }

// The standard output of a shell command that must succeed.
std::string Output(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return out;
}

std::string Hex(unsigned value, int digits) {
  char text[12];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

// What the probes print for the pair: each host byte through IMPORT
// ("----": unassigned), each character of an EXPORT entry with its byte,
// then the substitutes for host byte 9F and for the euro sign.
std::string Expected(const std::string& pair_file, Workstation workstation) {
  TablePair pair;
  std::string error;
  EXPECT_EQ(ReadTableFile(pair_file, TableKind::kUnknown, nullptr, pair, error), ReadResult::kLoaded) << error;
  std::string decoded, encoded;
  std::map<uint32_t, int> encodings;
  for (int p = 0; p < 256; ++p) {
    const int character = pair.ImportTable.Target(p);
    decoded += (p ? " " : "") + (character == -1 ? "----" : Hex(WorkstationCharacter(workstation, character), 4));
    if (pair.ExportTable.Target(p) != -1) encodings[WorkstationCharacter(workstation, p)] = pair.ExportTable.Target(p);
  }
  for (const auto& [character, byte] : encodings)
    encoded += (encoded.empty() ? "" : " ") + Hex(character, 4) + ":" + Hex(static_cast<unsigned>(byte), 2);
  const int euro = WorkstationByte(workstation, 0x20AC);
  const int euro_byte = euro == -1 ? -1 : pair.ExportTable.Target(euro);
  const int host9_f = pair.ImportTable.Target(0x9F);
  return decoded + "\n" + encoded + "\n" + Hex(host9_f == -1 ? 0xFFFD : WorkstationCharacter(workstation, host9_f), 4) +
         " " + Hex(euro_byte == -1 ? 0x3F : static_cast<unsigned>(euro_byte), 2) + "\n";
}

class Codecs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(std::system(("javac -d " + Quote(Classes.Path) + " " + Quote(PROBES "/Probe.java")).c_str()), 0);
  }

  // Builds the code page's pair, writes it as a codec and as a charset, and
  // checks what python3 and java make of them.
  void Check(const std::string& page, const std::string& workstation, const std::string& name,
             const std::string& python_name, const std::string& java_name) {
    const std::string tool = Quote(QAVO_CT), pair = Quote(dir_ / "pair.qct");
    const std::string options = " --workstation " + workstation + (name.empty() ? "" : " --name " + Quote(name));
    ASSERT_EQ(Output(tool + " build --codepage " + page + " --workstation " + workstation + " " + pair), "");
    ASSERT_EQ(Output(tool + " convert " + pair + " " + Quote(dir_ / "codec.py") + options), "");
    ASSERT_EQ(Output(tool + " convert " + pair + " " + Quote(dir_ / "charset.jar") + options), "");
    const std::string expected =
        Expected(dir_ / "pair.qct", workstation == "cp1252" ? Workstation::kCp1252 : Workstation::kIsoLatin1);
    EXPECT_EQ(Output("python3 " + Quote(PROBES "/probe.py") + " " + Quote(dir_.Path) + " codec " + Quote(python_name)),
              expected);
    EXPECT_EQ(Output("java -cp " + Quote(dir_ / "charset.jar") + ":" + Quote(Classes.Path) + " Probe " + java_name),
              expected);
  }

  static ScratchDir Classes;
  ScratchDir dir_;
};

ScratchDir Codecs::Classes;

TEST_F(Codecs, Cp273DecodesAndEncodesAsItsTables) {
  Check("273", "iso8859-1", "", "ISO8859-1_CP273", "x-iso8859-1_cp273");
}

// The euro sign is a character of Windows-1252 only.
TEST_F(Codecs, Cp1141EncodesTheEuroAsTheWorkstationSays) {
  Check("1141", "iso8859-1", "", "iso8859_1_cp1141", "X-ISO8859-1_CP1141");
  Check("1141", "cp1252", "Mein Satz-1141", "MEIN-satz 1141", "x-Mein_Satz-1141");
}

}  // namespace
