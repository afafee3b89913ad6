#include "model/presets.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <cstring>
#include <map>

#include "model/codetable.h"
#include "support/tablechecks.h"

namespace {

using Table = std::array<uint8_t, 256>;

// Converts all 256 byte values one by one with the system converter.
Table Convert(const char* from, const char* to) {
  Table result{};
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    ADD_FAILURE() << "iconv cannot convert " << from << " to " << to;
    return result;
  }
  for (int c = 0; c < 256; ++c) {
    char in = static_cast<char>(c);
    char out[4] = {};
    char* inPtr = &in;
    char* outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    EXPECT_NE(rc, static_cast<size_t>(-1)) << from << " code " << c;
    EXPECT_EQ(sizeof out - outLeft, 1u) << from << " code " << c;
    result[c] = static_cast<uint8_t>(out[0]);
  }
  iconv_close(cd);
  return result;
}

void ExpectSameBytes(const uint8_t (&actual)[256], const Table& expected) {
  for (int p = 0; p < 256; ++p) EXPECT_EQ(actual[p], expected[p]) << "position " << std::hex << p;
}

void ExpectInverse(const uint8_t (&a)[256], const uint8_t (&b)[256]) {
  for (int p = 0; p < 256; ++p) EXPECT_EQ(b[a[p]], p) << "position " << std::hex << p;
}

int CountOf(const uint8_t (&bytes)[256], uint8_t value) {
  int n = 0;
  for (uint8_t b : bytes) n += b == value;
  return n;
}

const PresetPair* const AllPresets[] = {&DinPreset, &IsoCp273Preset, &IsoCp37Preset, &UnixPreset};

TEST(Presets, NamesAndArrays) {
  EXPECT_EQ(DinPreset.Export, DinExport);
  EXPECT_EQ(DinPreset.Import, DinImport);
  EXPECT_STREQ(DinPreset.ExportName, "DIN");
  EXPECT_STREQ(DinPreset.ImportName, "DIN");
  EXPECT_EQ(IsoCp273Preset.Export, IsoCp273Export);
  EXPECT_EQ(IsoCp273Preset.Import, IsoCp273Import);
  EXPECT_STREQ(IsoCp273Preset.ExportName, "ISO8859-1_CP273");
  EXPECT_STREQ(IsoCp273Preset.ImportName, "CP273_ISO8859-1");
  EXPECT_EQ(IsoCp37Preset.Export, IsoCp37Export);
  EXPECT_EQ(IsoCp37Preset.Import, IsoCp37Import);
  EXPECT_STREQ(IsoCp37Preset.ExportName, "ISO8859-1_CP37");
  EXPECT_STREQ(IsoCp37Preset.ImportName, "CP37_ISO8859-1");
  EXPECT_EQ(UnixPreset.Export, UnixExport);
  EXPECT_EQ(UnixPreset.Import, UnixImport);
  EXPECT_STREQ(UnixPreset.ExportName, "QAVO UNIX");
  EXPECT_STREQ(UnixPreset.ImportName, "QAVO UNIX");
}

// The loader tells the direction of an array by these bytes alone.
TEST(Presets, SpaceBytesTellTheDirection) {
  for (const PresetPair* preset : AllPresets) {
    SCOPED_TRACE(preset->ExportName);
    EXPECT_EQ(preset->Export[0x20], 0x40);
    EXPECT_NE(preset->Import[0x20], 0x40);
    EXPECT_EQ(preset->Import[0x40], 0x20);
  }
}

TEST(Presets, Cp37EqualsSystemConverter) {
  ExpectSameBytes(IsoCp37Export, Convert("ISO-8859-1", "IBM037"));
  ExpectSameBytes(IsoCp37Import, Convert("IBM037", "ISO-8859-1"));
  ExpectInverse(IsoCp37Export, IsoCp37Import);
  ExpectInverse(IsoCp37Import, IsoCp37Export);
}

TEST(Presets, Cp273EqualsSystemConverter) {
  ExpectSameBytes(IsoCp273Export, Convert("ISO-8859-1", "IBM273"));
  ExpectSameBytes(IsoCp273Import, Convert("IBM273", "ISO-8859-1"));
  ExpectInverse(IsoCp273Export, IsoCp273Import);
  ExpectInverse(IsoCp273Import, IsoCp273Export);
}

TEST(Presets, Cp37TellingRows) {
  const std::map<int, int> rows = {{0x20, 0x40}, {0x21, 0x5A}, {0x30, 0xF0}, {0x40, 0x7C}, {0x41, 0xC1},
                                   {0x5B, 0xBA}, {0x5D, 0xBB}, {0x5E, 0xB0}, {0x61, 0x81}, {0x7C, 0x4F},
                                   {0xA2, 0x4A}, {0xAC, 0x5F}, {0x0A, 0x25}, {0x85, 0x15}, {0x9F, 0xFF}};
  for (const auto& [iso, ebcdic] : rows) {
    EXPECT_EQ(IsoCp37Export[iso], ebcdic) << std::hex << iso;
    EXPECT_EQ(IsoCp37Import[ebcdic], iso) << std::hex << ebcdic;
  }
}

TEST(Presets, Cp273TellingRows) {
  const std::map<int, int> rows = {{0x20, 0x40}, {0x21, 0x4F}, {0x40, 0xB5}, {0xA7, 0x7C}, {0xC4, 0x4A}, {0xD6, 0xE0},
                                   {0xDC, 0x5A}, {0xE4, 0xC0}, {0xF6, 0x6A}, {0xFC, 0xD0}, {0xDF, 0xA1}, {0x5B, 0x63},
                                   {0x5C, 0xEC}, {0x5D, 0xFC}, {0x7B, 0x43}, {0x7C, 0xBB}, {0x7D, 0xDC}, {0x7E, 0x59},
                                   {0x0A, 0x25}, {0x9F, 0xFF}, {0xAF, 0xBC}};
  for (const auto& [iso, ebcdic] : rows) {
    EXPECT_EQ(IsoCp273Export[iso], ebcdic) << std::hex << iso;
    EXPECT_EQ(IsoCp273Import[ebcdic], iso) << std::hex << ebcdic;
  }
}

TEST(Presets, DinIsAPermutationWithItsInverse) {
  ExpectInverse(DinExport, DinImport);
  ExpectInverse(DinImport, DinExport);
}

TEST(Presets, DinLowerHalfIsCp37WithFiveChanges) {
  const std::map<int, int> changed = {{0x21, 0x4F}, {0x5B, 0x4A}, {0x5D, 0x5A}, {0x5E, 0x5F}, {0x7C, 0x6A}};
  for (int p = 0; p < 0x80; ++p) {
    const auto it = changed.find(p);
    EXPECT_EQ(DinExport[p], it == changed.end() ? IsoCp37Export[p] : it->second) << std::hex << p;
  }
}

TEST(Presets, DinUpperHalf) {
  bool used[256] = {};
  for (int p = 0; p < 0xA0; ++p) used[DinExport[p]] = true;
  for (int p = 0x80; p < 0x9F; ++p) EXPECT_LT(DinExport[p], 0x40) << std::hex << p;
  EXPECT_EQ(DinExport[0x9F], 0xE1);
  int code = 0;
  for (int p = 0xA0; p < 256; ++p) {
    while (used[code]) ++code;
    EXPECT_EQ(DinExport[p], code) << std::hex << p;
    ++code;
  }
}

TEST(Presets, UnixExportIsAsciiOnly) {
  const std::map<int, int> changed = {{0x5B, 0xBB}, {0x5C, 0xBC}, {0x5D, 0xBD}, {0x5E, 0x6A},
                                      {0x60, 0x4A}, {0x7B, 0xFB}, {0x7D, 0xFD}, {0x7E, 0xFF}};
  for (int p = 0; p < 0x80; ++p) {
    const auto it = changed.find(p);
    EXPECT_EQ(UnixExport[p], it == changed.end() ? IsoCp37Export[p] : it->second) << std::hex << p;
  }
  for (int p = 0x80; p < 0xFC; ++p) EXPECT_EQ(UnixExport[p], 0) << std::hex << p;
  EXPECT_EQ(UnixExport[0xFC], 0xFF);
  EXPECT_EQ(UnixExport[0xFD], 0x06);
  EXPECT_EQ(UnixExport[0xFE], 0x01);
  EXPECT_EQ(UnixExport[0xFF], 0x00);
  EXPECT_EQ(CountOf(UnixExport, 0x00), 126);
  EXPECT_EQ(CountOf(UnixExport, 0x01), 2);
  EXPECT_EQ(CountOf(UnixExport, 0xFF), 2);
}

TEST(Presets, UnixImportRoundTripsAsciiAndSubstitutesTheRest) {
  bool ascii[256] = {};
  for (int p = 0; p < 0x80; ++p) {
    ascii[UnixExport[p]] = true;
    EXPECT_EQ(UnixImport[UnixExport[p]], p) << std::hex << p;
  }
  for (int c = 0; c < 256; ++c) {
    if (!ascii[c]) {
      EXPECT_EQ(UnixImport[c], 0x1A) << std::hex << c;
    }
  }
  EXPECT_EQ(UnixImport[0x3F], 0x1A);
  EXPECT_EQ(CountOf(UnixImport, 0x1A), 129);
}

// Loads a pair the way the "Beide" commands do: both tables, then the link.
struct LoadedPair {
  CodeTable exportTab{TableKind::kExport};
  CodeTable importTab{TableKind::kImport};
  explicit LoadedPair(const PresetPair& preset) {
    LoadBytes(exportTab, preset.Export);
    LoadBytes(importTab, preset.Import);
    exportTab.Link(&importTab);
  }
};

TEST(PresetsLoaded, CodePageAndDinPairsAreProven) {
  for (const PresetPair* preset : {&DinPreset, &IsoCp273Preset, &IsoCp37Preset}) {
    SCOPED_TRACE(preset->ExportName);
    LoadedPair pair(*preset);
    EXPECT_EQ(pair.exportTab.CountAssigned(), 256);
    EXPECT_EQ(pair.importTab.CountAssigned(), 256);
    EXPECT_EQ(pair.exportTab.IsAmbiguous(CodeTable::kWholeTable), 0);
    EXPECT_EQ(pair.importTab.IsAmbiguous(CodeTable::kWholeTable), 0);
    EXPECT_EQ(pair.exportTab.IsProven(CodeTable::kWholeTable), 1);
    EXPECT_EQ(pair.importTab.IsProven(CodeTable::kWholeTable), 1);
    for (int p = 0; p < 256; ++p) {
      EXPECT_EQ(pair.exportTab.IsProven(p), 1) << p;
      EXPECT_EQ(pair.importTab.IsProven(p), 1) << p;
    }
  }
}

TEST(PresetsLoaded, UnixPairIsAmbiguousAndNotProven) {
  LoadedPair pair(UnixPreset);
  EXPECT_EQ(pair.exportTab.CountAssigned(), 256);
  EXPECT_EQ(pair.exportTab.Count(0x00), 125);
  EXPECT_EQ(pair.exportTab.Count(0x01), 1);
  EXPECT_EQ(pair.exportTab.Count(0xFF), 1);
  EXPECT_EQ(pair.importTab.Count(0x1A), 128);
  for (int p = 0; p < 256; ++p) {
    const int t = UnixExport[p];
    EXPECT_EQ(pair.exportTab.IsAmbiguous(p), t == 0x00 || t == 0x01 || t == 0xFF) << p;
    EXPECT_EQ(pair.importTab.IsAmbiguous(p), UnixImport[p] == 0x1A) << p;
    EXPECT_EQ(pair.exportTab.IsProven(p), p < 0x80) << p;
  }
  EXPECT_EQ(pair.exportTab.IsProven(CodeTable::kWholeTable), 0);
  EXPECT_EQ(pair.importTab.IsProven(CodeTable::kWholeTable), 0);
}

}  // namespace
