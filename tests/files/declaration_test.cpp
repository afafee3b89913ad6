#include "files/declaration.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kCRule = "/*********************************************************************/\n";
const std::string kCBlank = "/*                                                                   */\n";
const std::string kPascalRule = "{*********************************************************************}\n";
const std::string kPascalBlank = "{*                                                                   *}\n";

std::string Hex(int value) {
  const char* digits = "0123456789ABCDEF";
  return std::string(1, digits[value >> 4]) + digits[value & 15];
}

// Rows of the stored codes in the given style; code(p) gives position p's byte.
template <typename Code>
std::string Rows(const std::string& indent, const std::string& mark, const std::string& separator, Code code) {
  std::string text;
  for (int row = 0; row < 16; ++row) {
    if (row > 0) text += ",\n";
    text += indent;
    for (int i = 0; i < 16; ++i) text += (i > 0 ? separator : "") + mark + Hex(code(16 * row + i));
  }
  return text;
}

std::string CRows(int (*code)(int)) { return Rows("  ", "0X", ",", code); }
std::string PascalRows(int (*code)(int)) { return Rows("   ", "$", ", ", code); }

int Same(int p) { return p; }

CodeTable DinTable() {
  CodeTable table(TableKind::kExport);
  table.SetFontName("Courier New");
  table.BuildHeader(TableKind::kExport, "DIN");
  return table;
}

TEST(Declaration, LayoutStringsHaveTheirWidth) {
  EXPECT_EQ(kCRule.size(), 72u);
  EXPECT_EQ(kCBlank.size(), 72u);
  EXPECT_EQ(kPascalRule.size(), 72u);
  EXPECT_EQ(kPascalBlank.size(), 72u);
}

TEST(CDeclaration, IdentityOfAnEmptyNamedTable) {
  const std::string expected = "\n" + kCRule + kCBlank + "/* QAVO CodeTab EXPORT [Courier New] DIN */\n" + kCRule +
                               "\nconst unsigned char Export_DIN [256] = {\n" + CRows(Same) + " };\n";
  EXPECT_EQ(CDeclaration(DinTable()), expected);
}

TEST(CDeclaration, FirstAndLastRowsLiterally) {
  const std::string text = CDeclaration(DinTable());
  EXPECT_NE(text.find("{\n  0X00,0X01,0X02,0X03,0X04,0X05,0X06,0X07,0X08,0X09,0X0A,0X0B,0X0C,0X0D,0X0E,0X0F,\n"),
            std::string::npos);
  const std::string last = "  0XF0,0XF1,0XF2,0XF3,0XF4,0XF5,0XF6,0XF7,0XF8,0XF9,0XFA,0XFB,0XFC,0XFD,0XFE,0XFF };\n";
  ASSERT_GE(text.size(), last.size());
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

TEST(PascalDeclaration, IdentityOfAnEmptyNamedTable) {
  const std::string expected = "\n" + kPascalRule + kPascalBlank + "{* QAVO CodeTab EXPORT [Courier New] DIN *}\n" +
                               kPascalRule + "\nconst ExportDIN : array [0..255] of byte = (\n" + PascalRows(Same) +
                               " );\n";
  EXPECT_EQ(PascalDeclaration(DinTable()), expected);
}

TEST(PascalDeclaration, FirstAndLastRowsLiterally) {
  const std::string text = PascalDeclaration(DinTable());
  EXPECT_NE(text.find("(\n   $00, $01, $02, $03, $04, $05, $06, $07, $08, $09, $0A, $0B, $0C, $0D, $0E, $0F,\n"),
            std::string::npos);
  const std::string last = "   $F0, $F1, $F2, $F3, $F4, $F5, $F6, $F7, $F8, $F9, $FA, $FB, $FC, $FD, $FE, $FF );\n";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
}

int ZeroAt41(int p) { return p == 0x41 ? 0 : p == 0x42 ? 0xC2 : p; }

TEST(Declaration, AssignedCodesAndUnnamedImportTable) {
  CodeTable table(TableKind::kImport);
  table.SetFontName("Courier New");
  table.Assign(0x41, 0x00);
  table.Assign(0x42, 0x1C2);
  ASSERT_STREQ(table.Header(), "QAVO CodeTab IMPORT [Courier New] ");
  EXPECT_EQ(CDeclaration(table), "\n" + kCRule + kCBlank + "/* QAVO CodeTab IMPORT [Courier New]  */\n" + kCRule +
                                     "\nconst unsigned char Import_ [256] = {\n" + CRows(ZeroAt41) + " };\n");
  EXPECT_EQ(PascalDeclaration(table), "\n" + kPascalRule + kPascalBlank + "{* QAVO CodeTab IMPORT [Courier New]  *}\n" +
                                          kPascalRule + "\nconst Import : array [0..255] of byte = (\n" +
                                          PascalRows(ZeroAt41) + " );\n");
  EXPECT_NE(CDeclaration(table).find(",0X00,0XC2,"), std::string::npos);
  EXPECT_NE(PascalDeclaration(table).find(", $00, $C2, "), std::string::npos);
}

TEST(Declaration, HeaderWithoutFontHasNoName) {
  CodeTable table(TableKind::kExport);
  table.BuildHeader(TableKind::kExport, "DIN");
  EXPECT_NE(CDeclaration(table).find("/* QAVO CodeTab EXPORT DIN */\n"), std::string::npos);
  EXPECT_NE(CDeclaration(table).find("\nconst unsigned char Export_ [256] = {\n"), std::string::npos);
  EXPECT_NE(PascalDeclaration(table).find("\nconst Export : array [0..255] of byte = (\n"), std::string::npos);
}

TEST(Declaration, OtherKindsAreUnknown) {
  CodeTable table(TableKind::kUnknown);
  table.SetFontName("F");
  table.BuildHeader(TableKind::kUnknown, "x");
  EXPECT_NE(CDeclaration(table).find("\nconst unsigned char Unknown_x [256] = {\n"), std::string::npos);
  EXPECT_NE(PascalDeclaration(table).find("\nconst Unknownx : array [0..255] of byte = (\n"), std::string::npos);
  EXPECT_NE(CDeclaration(table).find("/* QAVO CodeTab USER   [F] x */\n"), std::string::npos);
}

TEST(Declaration, NameCharactersOutsideIdentifiersBecomeUnderscores) {
  CodeTable table(TableKind::kExport);
  table.SetFontName("Courier New");
  table.BuildHeader(TableKind::kExport, "/home/ab-c/CP 273.tab\xE4_9");
  EXPECT_EQ(DeclarationName(table), "_home_ab_c_CP_273_tab__9");
  const std::string c = CDeclaration(table);
  EXPECT_NE(c.find("\nconst unsigned char Export__home_ab_c_CP_273_tab__9 [256] = {\n"), std::string::npos);
  // The header line itself keeps the name as it is.
  EXPECT_NE(c.find("/* QAVO CodeTab EXPORT [Courier New] /home/ab-c/CP 273.tab\xE4_9 */\n"), std::string::npos);
  EXPECT_NE(PascalDeclaration(table).find("\nconst Export_home_ab_c_CP_273_tab__9 : array"), std::string::npos);
}

TEST(Declaration, HeaderCannotEndItsCommentEarly) {
  CodeTable table(TableKind::kExport);
  table.SetFontName("Courier New");
  table.BuildHeader(TableKind::kExport, "a*/b**/c}d{e");
  const std::string c = CDeclaration(table);
  EXPECT_NE(c.find("/* QAVO CodeTab EXPORT [Courier New] a* /b** /c}d{e */\n"), std::string::npos);
  EXPECT_EQ(c.find("*/b"), std::string::npos);
  const std::string pascal = PascalDeclaration(table);
  EXPECT_NE(pascal.find("{* QAVO CodeTab EXPORT [Courier New] a*/b**/c)d(e *}\n"), std::string::npos);
  EXPECT_NE(pascal.find("\nconst Exporta__b___c_d_e : array"), std::string::npos);
}

TEST(Declaration, SixtyFourCharacterHeader) {
  CodeTable table(TableKind::kExport);
  table.SetFontName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  table.BuildHeader(TableKind::kExport, std::string(50, 'n').c_str());
  const std::string header = "QAVO CodeTab EXPORT [ABCDEFGHIJKLMNOPQRST] " + std::string(21, 'n');
  ASSERT_EQ(header.size(), 64u);
  const std::string c = CDeclaration(table);
  EXPECT_NE(c.find("/* " + header + " */\n"), std::string::npos);
  EXPECT_NE(c.find("Export_" + std::string(21, 'n') + " [256]"), std::string::npos);
}

CodeTable Named(TableKind kind, const std::string& name) {
  CodeTable table(kind);
  table.SetFontName("Courier New");
  table.BuildHeader(kind, name.c_str());
  return table;
}

TEST(Declaration, ReservedWordsGetAnUnderscore) {
  EXPECT_NE(PascalDeclaration(Named(TableKind::kExport, "s")).find("\nconst Exports_ : array"), std::string::npos);
  EXPECT_NE(PascalDeclaration(Named(TableKind::kExport, "S")).find("\nconst ExportS_ : array"), std::string::npos);
  EXPECT_NE(PascalDeclaration(Named(TableKind::kImport, "s")).find("\nconst Imports : array"), std::string::npos);
  EXPECT_NE(CDeclaration(Named(TableKind::kExport, "s")).find("\nconst unsigned char Export_s [256]"),
            std::string::npos);
}

TEST(Declaration, ControlBytesNeverReachTheText) {
  const CodeTable table = Named(TableKind::kExport, "a\rb\x1B[1m\x7F");
  for (const std::string& text : {CDeclaration(table), PascalDeclaration(table)}) {
    for (const char c : text)
      EXPECT_TRUE(c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)) << static_cast<int>(c);
    EXPECT_NE(text.find("[Courier New] a_b_[1m_ "), std::string::npos);
  }
  EXPECT_NE(CDeclaration(table).find(" Export_a_b__1m_ [256]"), std::string::npos);
}

// Names that once broke the declarations, each table under its own name.
std::vector<CodeTable> HostileTables() {
  std::vector<CodeTable> tables;
  for (const std::string name : {"s", "{x", "a}b", "c\rd", "CP*/1", "", "\x1B[31m", "end", "\xE4\xF6"})
    for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) tables.push_back(Named(kind, name));
  return tables;
}

// Compiles source with command (the file's path appended); the compiler's
// output goes to the test log.
int Compile(const std::string& command, const std::string& name, const std::string& source) {
  char pattern[] = "/tmp/qavo-decl.XXXXXX";
  const std::string dir = mkdtemp(pattern);
  std::ofstream(dir + "/" + name, std::ios::binary) << source;
  const int status = std::system(("cd " + dir + " && " + command + " " + name + " 2>&1").c_str());
  std::filesystem::remove_all(dir);
  return status;
}

bool Installed(const char* program) {
  return std::system(("command -v " + std::string(program) + " >/dev/null").c_str()) == 0;
}

TEST(Declaration, CompilesWithGcc) {
  std::string source;
  for (const CodeTable& table : HostileTables()) source += CDeclaration(table);
  EXPECT_EQ(Compile("gcc -fsyntax-only -Werror -x c", "decl.h", source), 0);
}

TEST(Declaration, CompilesWithFreePascal) {
  if (!Installed("fpc")) GTEST_SKIP() << "fpc (Debian package fp-compiler) is not installed";
  std::string source = "program decl;\n";
  for (const CodeTable& table : HostileTables()) source += PascalDeclaration(table);
  source += "\nbegin\nend.\n";
  EXPECT_EQ(Compile("fpc -v0e", "decl.pas", source), 0);
}

}  // namespace
