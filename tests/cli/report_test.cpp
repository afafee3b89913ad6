#include "cli/report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "model/presets.h"

namespace {

void LoadPreset(TablePair& pair, const PresetPair& preset) {
  TableEntry entries[256];
  for (int p = 0; p < 256; ++p) entries[p] = {preset.Export[p], -1};
  pair.Load(TableKind::kExport, entries, preset.ExportName);
  for (int p = 0; p < 256; ++p) entries[p] = {preset.Import[p], -1};
  pair.Load(TableKind::kImport, entries, preset.ImportName);
}

void ExpectStart(const std::string& text, const std::string& prefix) {
  EXPECT_EQ(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(TableGrid, ProvenPairShowsEveryCellConfirmed) {
  TablePair pair;
  LoadPreset(pair, kDinPreset);
  const std::vector<std::string> lines = Lines(TableGrid(pair.ExportTable, TableKind::kExport));
  ASSERT_EQ(lines.size(), 19u);
  EXPECT_EQ(lines[0], "EXPORT  QAVO CodeTab EXPORT [Courier New] DIN");
  EXPECT_EQ(lines[1], "     _0  _1  _2  _3  _4  _5  _6  _7  _8  _9  _A  _B  _C  _D  _E  _F");
  EXPECT_EQ(lines[4], "  2_ 40= 4F= 7F= 7B= 5B= 6C= 50= 7D= 4D= 5D= 5C= 4E= 6B= 60= 4B= 61=");
  EXPECT_EQ(lines[18], "  256 zugeordnet, 0 mehrdeutig, 256 bestätigt");
}

TEST(TableGrid, MarksAmbiguousPlainAndUnassigned) {
  TablePair pair;
  LoadPreset(pair, kUnixPreset);
  const std::vector<std::string> lines = Lines(TableGrid(pair.ExportTable, TableKind::kExport));
  EXPECT_EQ(lines[17], "  F_ 00! 00! 00! 00! 00! 00! 00! 00! 00! 00! 00! 00! FF! 06  01! 00!");
  EXPECT_EQ(lines[18], "  256 zugeordnet, 130 mehrdeutig, 125 bestätigt");

  CodeTable lone(TableKind::kImport);
  lone.Assign(0xC1, 0x41);
  const std::vector<std::string> lone_lines = Lines(TableGrid(lone, TableKind::kImport));
  EXPECT_EQ(lone_lines[0], "IMPORT  QAVO CodeTab IMPORT ");
  EXPECT_EQ(lone_lines[14], "  C_ ..  41  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..  ..");
  EXPECT_EQ(lone_lines[18], "  1 zugeordnet, 0 mehrdeutig, 0 bestätigt");
}

TEST(PairFindings, CleanPresets) {
  for (const PresetPair* preset : {&kDinPreset, &kIsoCp37Preset, &kIsoCp273Preset}) {
    TablePair pair;
    LoadPreset(pair, *preset);
    EXPECT_TRUE(PairFindings(pair).empty()) << preset->ExportName;
  }
}

TEST(PairFindings, UnixPairIsNotClean) {
  TablePair pair;
  LoadPreset(pair, kUnixPreset);
  const std::vector<std::string> findings = PairFindings(pair);
  ASSERT_EQ(findings.size(), 8u);
  std::string sources00;
  for (int p = 0x80; p <= 0xFB; ++p) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", p);
    sources00 += hex;
  }
  EXPECT_EQ(findings[0], "EXPORT: Code 00 mehrdeutig, Ziel von Positionen (126): 00" + sources00 + " FF");
  EXPECT_EQ(findings[1], "EXPORT: Code 01 mehrdeutig, Ziel von Positionen (2): 01 FE");
  EXPECT_EQ(findings[2], "EXPORT: Code FF mehrdeutig, Ziel von Positionen (2): 7E FC");
  ExpectStart(findings[3], "EXPORT: Codes ohne Quelle (127): 04 08 09 0A");
  // 80..FB, and FC..FF, whose codes IMPORT takes back elsewhere.
  ExpectStart(findings[4], "EXPORT: Positionen ohne Rückweg über IMPORT (128): 80 81 82");
  EXPECT_EQ(findings[4].substr(findings[4].size() - 14), "FB FC FD FE FF");
  ExpectStart(findings[5], "IMPORT: Code 1A mehrdeutig, Ziel von Positionen (129): 04");
  ExpectStart(findings[6], "IMPORT: Codes ohne Quelle (128): 80 ");
  ExpectStart(findings[7], "IMPORT: Positionen ohne Rückweg über EXPORT (128): 04 06 08");
}

TEST(PairFindings, MissingTableAndGaps) {
  TablePair pair;
  TableEntry entries[256];
  for (int p = 0; p < 256; ++p) entries[p] = {static_cast<int16_t>(p < 254 ? 255 - p : -1), -1};
  pair.Load(TableKind::kImport, entries, "x");
  const std::vector<std::string> findings = PairFindings(pair);
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_EQ(findings[0], "EXPORT-Tabelle fehlt");
  EXPECT_EQ(findings[1], "IMPORT: nicht zugeordnete Positionen (2): FE FF");
  EXPECT_EQ(findings[2], "IMPORT: Codes ohne Quelle (2): 00 01");
}

TEST(Printable, ControlAndBrokenBytesAreEscaped) {
  EXPECT_EQ(Printable("Länge ok"), "Länge ok");
  EXPECT_EQ(Printable("a\nb\x1B[1m\x7F"), "a\\x0Ab\\x1B[1m\\x7F");
  EXPECT_EQ(Printable("\xFF\xC3 \xC2\x9B\xE2\x82\xAC"), "\\xFF\\xC3 \\xC2\\x9B€");
  EXPECT_EQ(Printable("\xC0\x80\xED\xA0\x80"), "\\xC0\\x80\\xED\\xA0\\x80");
  EXPECT_EQ(PrintableLatin1("\xE4\x9B\r"), "ä\\x9B\\x0D");
}

}  // namespace
