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
    char* in_ptr = &in;
    char* out_ptr = out;
    size_t in_left = 1;
    size_t out_left = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    EXPECT_NE(rc, static_cast<size_t>(-1)) << from << " code " << c;
    EXPECT_EQ(sizeof out - out_left, 1u) << from << " code " << c;
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

const PresetPair* const kAllPresets[] = {&kDinPreset, &kIsoCp273Preset, &kIsoCp37Preset, &kUnixPreset};

TEST(Presets, NamesAndArrays) {
  EXPECT_EQ(kDinPreset.Export, kDinExport);
  EXPECT_EQ(kDinPreset.Import, kDinImport);
  EXPECT_STREQ(kDinPreset.ExportName, "DIN");
  EXPECT_STREQ(kDinPreset.ImportName, "DIN");
  EXPECT_EQ(kIsoCp273Preset.Export, kIsoCp273Export);
  EXPECT_EQ(kIsoCp273Preset.Import, kIsoCp273Import);
  EXPECT_STREQ(kIsoCp273Preset.ExportName, "ISO8859-1_CP273");
  EXPECT_STREQ(kIsoCp273Preset.ImportName, "CP273_ISO8859-1");
  EXPECT_EQ(kIsoCp37Preset.Export, kIsoCp37Export);
  EXPECT_EQ(kIsoCp37Preset.Import, kIsoCp37Import);
  EXPECT_STREQ(kIsoCp37Preset.ExportName, "ISO8859-1_CP37");
  EXPECT_STREQ(kIsoCp37Preset.ImportName, "CP37_ISO8859-1");
  EXPECT_EQ(kUnixPreset.Export, kUnixExport);
  EXPECT_EQ(kUnixPreset.Import, kUnixImport);
  EXPECT_STREQ(kUnixPreset.ExportName, "QAVO UNIX");
  EXPECT_STREQ(kUnixPreset.ImportName, "QAVO UNIX");
}

// The loader tells the direction of an array by these bytes alone.
TEST(Presets, SpaceBytesTellTheDirection) {
  for (const PresetPair* preset : kAllPresets) {
    SCOPED_TRACE(preset->ExportName);
    EXPECT_EQ(preset->Export[0x20], 0x40);
    EXPECT_NE(preset->Import[0x20], 0x40);
    EXPECT_EQ(preset->Import[0x40], 0x20);
  }
}

TEST(Presets, Cp37EqualsSystemConverter) {
  ExpectSameBytes(kIsoCp37Export, Convert("ISO-8859-1", "IBM037"));
  ExpectSameBytes(kIsoCp37Import, Convert("IBM037", "ISO-8859-1"));
  ExpectInverse(kIsoCp37Export, kIsoCp37Import);
  ExpectInverse(kIsoCp37Import, kIsoCp37Export);
}

TEST(Presets, Cp273EqualsSystemConverter) {
  ExpectSameBytes(kIsoCp273Export, Convert("ISO-8859-1", "IBM273"));
  ExpectSameBytes(kIsoCp273Import, Convert("IBM273", "ISO-8859-1"));
  ExpectInverse(kIsoCp273Export, kIsoCp273Import);
  ExpectInverse(kIsoCp273Import, kIsoCp273Export);
}

TEST(Presets, Cp37TellingRows) {
  const std::map<int, int> rows = {{0x20, 0x40}, {0x21, 0x5A}, {0x30, 0xF0}, {0x40, 0x7C}, {0x41, 0xC1},
                                   {0x5B, 0xBA}, {0x5D, 0xBB}, {0x5E, 0xB0}, {0x61, 0x81}, {0x7C, 0x4F},
                                   {0xA2, 0x4A}, {0xAC, 0x5F}, {0x0A, 0x25}, {0x85, 0x15}, {0x9F, 0xFF}};
  for (const auto& [iso, ebcdic] : rows) {
    EXPECT_EQ(kIsoCp37Export[iso], ebcdic) << std::hex << iso;
    EXPECT_EQ(kIsoCp37Import[ebcdic], iso) << std::hex << ebcdic;
  }
}

TEST(Presets, Cp273TellingRows) {
  const std::map<int, int> rows = {{0x20, 0x40}, {0x21, 0x4F}, {0x40, 0xB5}, {0xA7, 0x7C}, {0xC4, 0x4A}, {0xD6, 0xE0},
                                   {0xDC, 0x5A}, {0xE4, 0xC0}, {0xF6, 0x6A}, {0xFC, 0xD0}, {0xDF, 0xA1}, {0x5B, 0x63},
                                   {0x5C, 0xEC}, {0x5D, 0xFC}, {0x7B, 0x43}, {0x7C, 0xBB}, {0x7D, 0xDC}, {0x7E, 0x59},
                                   {0x0A, 0x25}, {0x9F, 0xFF}, {0xAF, 0xBC}};
  for (const auto& [iso, ebcdic] : rows) {
    EXPECT_EQ(kIsoCp273Export[iso], ebcdic) << std::hex << iso;
    EXPECT_EQ(kIsoCp273Import[ebcdic], iso) << std::hex << ebcdic;
  }
}

TEST(Presets, DinIsAPermutationWithItsInverse) {
  ExpectInverse(kDinExport, kDinImport);
  ExpectInverse(kDinImport, kDinExport);
}

TEST(Presets, DinLowerHalfIsCp37WithFiveChanges) {
  const std::map<int, int> changed = {{0x21, 0x4F}, {0x5B, 0x4A}, {0x5D, 0x5A}, {0x5E, 0x5F}, {0x7C, 0x6A}};
  for (int p = 0; p < 0x80; ++p) {
    const auto it = changed.find(p);
    EXPECT_EQ(kDinExport[p], it == changed.end() ? kIsoCp37Export[p] : it->second) << std::hex << p;
  }
}

TEST(Presets, DinUpperHalf) {
  bool used[256] = {};
  for (int p = 0; p < 0xA0; ++p) used[kDinExport[p]] = true;
  for (int p = 0x80; p < 0x9F; ++p) EXPECT_LT(kDinExport[p], 0x40) << std::hex << p;
  EXPECT_EQ(kDinExport[0x9F], 0xE1);
  int code = 0;
  for (int p = 0xA0; p < 256; ++p) {
    while (used[code]) ++code;
    EXPECT_EQ(kDinExport[p], code) << std::hex << p;
    ++code;
  }
}

TEST(Presets, UnixExportIsAsciiOnly) {
  const std::map<int, int> changed = {{0x5B, 0xBB}, {0x5C, 0xBC}, {0x5D, 0xBD}, {0x5E, 0x6A},
                                      {0x60, 0x4A}, {0x7B, 0xFB}, {0x7D, 0xFD}, {0x7E, 0xFF}};
  for (int p = 0; p < 0x80; ++p) {
    const auto it = changed.find(p);
    EXPECT_EQ(kUnixExport[p], it == changed.end() ? kIsoCp37Export[p] : it->second) << std::hex << p;
  }
  for (int p = 0x80; p < 0xFC; ++p) EXPECT_EQ(kUnixExport[p], 0) << std::hex << p;
  EXPECT_EQ(kUnixExport[0xFC], 0xFF);
  EXPECT_EQ(kUnixExport[0xFD], 0x06);
  EXPECT_EQ(kUnixExport[0xFE], 0x01);
  EXPECT_EQ(kUnixExport[0xFF], 0x00);
  EXPECT_EQ(CountOf(kUnixExport, 0x00), 126);
  EXPECT_EQ(CountOf(kUnixExport, 0x01), 2);
  EXPECT_EQ(CountOf(kUnixExport, 0xFF), 2);
}

TEST(Presets, UnixImportRoundTripsAsciiAndSubstitutesTheRest) {
  bool ascii[256] = {};
  for (int p = 0; p < 0x80; ++p) {
    ascii[kUnixExport[p]] = true;
    EXPECT_EQ(kUnixImport[kUnixExport[p]], p) << std::hex << p;
  }
  for (int c = 0; c < 256; ++c) {
    if (!ascii[c]) {
      EXPECT_EQ(kUnixImport[c], 0x1A) << std::hex << c;
    }
  }
  EXPECT_EQ(kUnixImport[0x3F], 0x1A);
  EXPECT_EQ(CountOf(kUnixImport, 0x1A), 129);
}

// Loads a pair the way the "Beide" commands do: both tables, then the link.
struct LoadedPair {
  CodeTable ExportTab{TableKind::kExport};
  CodeTable ImportTab{TableKind::kImport};
  explicit LoadedPair(const PresetPair& preset) {
    LoadBytes(ExportTab, preset.Export);
    LoadBytes(ImportTab, preset.Import);
    ExportTab.Link(&ImportTab);
  }
};

TEST(PresetsLoaded, CodePageAndDinPairsAreProven) {
  for (const PresetPair* preset : {&kDinPreset, &kIsoCp273Preset, &kIsoCp37Preset}) {
    SCOPED_TRACE(preset->ExportName);
    LoadedPair pair(*preset);
    EXPECT_EQ(pair.ExportTab.CountAssigned(), 256);
    EXPECT_EQ(pair.ImportTab.CountAssigned(), 256);
    EXPECT_EQ(pair.ExportTab.IsAmbiguous(CodeTable::kWholeTable), 0);
    EXPECT_EQ(pair.ImportTab.IsAmbiguous(CodeTable::kWholeTable), 0);
    EXPECT_EQ(pair.ExportTab.IsProven(CodeTable::kWholeTable), 1);
    EXPECT_EQ(pair.ImportTab.IsProven(CodeTable::kWholeTable), 1);
    for (int p = 0; p < 256; ++p) {
      EXPECT_EQ(pair.ExportTab.IsProven(p), 1) << p;
      EXPECT_EQ(pair.ImportTab.IsProven(p), 1) << p;
    }
  }
}

TEST(PresetsLoaded, UnixPairIsAmbiguousAndNotProven) {
  LoadedPair pair(kUnixPreset);
  EXPECT_EQ(pair.ExportTab.CountAssigned(), 256);
  EXPECT_EQ(pair.ExportTab.Count(0x00), 125);
  EXPECT_EQ(pair.ExportTab.Count(0x01), 1);
  EXPECT_EQ(pair.ExportTab.Count(0xFF), 1);
  EXPECT_EQ(pair.ImportTab.Count(0x1A), 128);
  for (int p = 0; p < 256; ++p) {
    const int t = kUnixExport[p];
    EXPECT_EQ(pair.ExportTab.IsAmbiguous(p), t == 0x00 || t == 0x01 || t == 0xFF) << p;
    EXPECT_EQ(pair.ImportTab.IsAmbiguous(p), kUnixImport[p] == 0x1A) << p;
    EXPECT_EQ(pair.ExportTab.IsProven(p), p < 0x80) << p;
  }
  EXPECT_EQ(pair.ExportTab.IsProven(CodeTable::kWholeTable), 0);
  EXPECT_EQ(pair.ImportTab.IsProven(CodeTable::kWholeTable), 0);
}

}  // namespace
