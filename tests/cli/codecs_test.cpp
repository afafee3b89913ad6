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
std::string Expected(const std::string& pairFile, Workstation workstation) {
  TablePair pair;
  std::string error;
  EXPECT_EQ(ReadTableFile(pairFile, TableKind::kUnknown, nullptr, pair, error), ReadResult::Loaded) << error;
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
  const int euroByte = euro == -1 ? -1 : pair.ExportTable.Target(euro);
  const int host9F = pair.ImportTable.Target(0x9F);
  return decoded + "\n" + encoded + "\n" + Hex(host9F == -1 ? 0xFFFD : WorkstationCharacter(workstation, host9F), 4) +
         " " + Hex(euroByte == -1 ? 0x3F : static_cast<unsigned>(euroByte), 2) + "\n";
}

class Codecs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(std::system(("javac -d " + Quote(Classes.Path) + " " + Quote(PROBES "/Probe.java")).c_str()), 0);
  }

  // Builds the code page's pair, writes it as a codec and as a charset, and
  // checks what python3 and java make of them.
  void Check(const std::string& page, const std::string& workstation, const std::string& name,
             const std::string& pythonName, const std::string& javaName) {
    const std::string tool = Quote(QAVO_CT), pair = Quote(Dir / "pair.qct");
    const std::string options = " --workstation " + workstation + (name.empty() ? "" : " --name " + Quote(name));
    ASSERT_EQ(Output(tool + " build --codepage " + page + " --workstation " + workstation + " " + pair), "");
    ASSERT_EQ(Output(tool + " convert " + pair + " " + Quote(Dir / "codec.py") + options), "");
    ASSERT_EQ(Output(tool + " convert " + pair + " " + Quote(Dir / "charset.jar") + options), "");
    const std::string expected =
        Expected(Dir / "pair.qct", workstation == "cp1252" ? Workstation::Cp1252 : Workstation::Iso8859_1);
    EXPECT_EQ(Output("python3 " + Quote(PROBES "/probe.py") + " " + Quote(Dir.Path) + " codec " + Quote(pythonName)),
              expected);
    EXPECT_EQ(Output("java -cp " + Quote(Dir / "charset.jar") + ":" + Quote(Classes.Path) + " Probe " + javaName),
              expected);
  }

  static ScratchDir Classes;
  ScratchDir Dir;
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
