#include "files/formats.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "support/tablechecks.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Identity() {
  Bytes image(256);
  for (int p = 0; p < 256; ++p) image[p] = static_cast<uint8_t>(p);
  return image;
}

// A table with about half its positions assigned at random, some ambiguous.
void FillAtRandom(CodeTable& table, unsigned seed) {
  std::mt19937 random(seed);
  for (int p = 0; p < 256; ++p)
    if (random() % 2 == 0) table.Assign(p, static_cast<int>(random() % 256));
}

// The bytes of a V5 header, spelt out: signature, letter, filler, "] ", name.
Bytes V5Header(char letter, const std::string& filler, const std::string& name) {
  const std::string text = std::string("QAVO CodeTab ") + letter + filler + "] " + name;
  Bytes header(64, 0);
  std::memcpy(header.data(), text.data(), text.size());
  return header;
}

void AppendEntry(Bytes& image, uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  image.insert(image.end(), {b0, b1, b2, b3});
}

TEST(StoredCode, UnassignedPositionIsItself) {
  CodeTable table(TableKind::kExport);
  table.Assign(0x41, 0xC1);
  EXPECT_EQ(StoredCode(table, 0x41), 0xC1);
  EXPECT_EQ(StoredCode(table, 0x42), 0x42);
  EXPECT_EQ(StoredCode(table, 0x141), 0xC1);
}

TEST(UnixImage, EmptyTableIsIdentity) {
  CodeTable table(TableKind::kExport);
  EXPECT_EQ(UnixImage(table), Identity());
}

TEST(UnixImage, OneAssignmentChangesOneByte) {
  CodeTable table(TableKind::kExport);
  table.Assign(0x41, 0xC1);
  Bytes expected = Identity();
  expected[0x41] = 0xC1;
  EXPECT_EQ(UnixImage(table), expected);
}

TEST(UnixImage, AssignmentToZeroIsZero) {
  CodeTable table(TableKind::kImport);
  table.Assign(0xFF, 0x00);
  EXPECT_EQ(UnixImage(table)[0xFF], 0x00);
}

TEST(UnixImage, LoadBytesRoundTrip) {
  CodeTable table(TableKind::kExport);
  FillAtRandom(table, 7);
  CodeTable loaded(TableKind::kExport);
  const Bytes image = UnixImage(table);
  uint8_t bytes[256];
  std::memcpy(bytes, image.data(), 256);
  LoadBytes(loaded, bytes);
  EXPECT_EQ(UnixImage(loaded), image);
  EXPECT_EQ(loaded.CountAssigned(), 256);
}

TEST(V3Image, ImportFirstThenExport) {
  CodeTable export_table(TableKind::kExport);
  CodeTable import_table(TableKind::kImport);
  export_table.Assign(0x41, 0xC1);
  import_table.Assign(0xC1, 0x41);
  import_table.Assign(0x40, 0x20);
  Bytes expected = Identity();
  expected[0xC1] = 0x41;
  expected[0x40] = 0x20;
  Bytes second = Identity();
  second[0x41] = 0xC1;
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(V3Image(import_table, export_table), expected);
}

TEST(V5Image, HeaderAndEntriesByteForByte) {
  CodeTable table(TableKind::kExport);
  table.SetFontName("Courier New");
  table.Assign(0x41, 0xC1);
  table.Assign(0x42, 0xC1);
  table.Assign(0x00, 0x00);
  table.BuildHeader(TableKind::kExport, "DIN");
  ASSERT_STREQ(table.Header(), "QAVO CodeTab EXPORT [Courier New] DIN");

  Bytes expected = V5Header('A', "/E     ", "DIN");
  for (int p = 0; p < 256; ++p) {
    if (p == 0x00)
      AppendEntry(expected, 0x00, 0x00, 0x00, 0x00);  // target 0, code 0 used once
    else if (p == 0x41 || p == 0x42)
      AppendEntry(expected, 0xC1, 0x00, 0xFF, 0xFF);  // code 41/42 unused
    else if (p == 0xC1)
      AppendEntry(expected, 0xFF, 0xFF, 0x01, 0x00);  // code C1 used twice
    else
      AppendEntry(expected, 0xFF, 0xFF, 0xFF, 0xFF);
  }
  ASSERT_EQ(expected.size(), 1088u);
  EXPECT_EQ(V5Image(table, TableKind::kExport), expected);
}

TEST(V5Image, ImportLetterAndNoName) {
  CodeTable table(TableKind::kImport);
  const Bytes image = V5Image(table, TableKind::kImport);
  const Bytes header(image.begin(), image.begin() + 64);
  EXPECT_EQ(header, V5Header('E', "/A     ", ""));
}

TEST(V5Image, LetterFollowsTheGivenTableNotItsKind) {
  CodeTable table(TableKind::kUnknown);
  EXPECT_EQ(V5Image(table, TableKind::kExport)[13], 'A');
  EXPECT_EQ(V5Image(table, TableKind::kImport)[13], 'E');
}

TEST(V5Image, LongestNameOfAHeaderFitsWhole) {
  CodeTable table(TableKind::kExport);
  table.SetFontName("F");
  const std::string name(40, 'n');
  table.BuildHeader(TableKind::kExport, (name + "cut").c_str());
  ASSERT_EQ(std::string(table.HeaderName()), name);
  const Bytes image = V5Image(table, TableKind::kExport);
  EXPECT_EQ(Bytes(image.begin(), image.begin() + 64), V5Header('A', "/E     ", name));
  EXPECT_EQ(image[63], 0);
}

TEST(V5Image, OverlongNameIsCutBeforeOffset64) {
  // Without a font part, a "]" inside the name leaves a 42-character HeaderName.
  CodeTable table(TableKind::kExport);
  table.BuildHeader(TableKind::kExport, ("a]" + std::string(42, 'x')).c_str());
  ASSERT_EQ(std::strlen(table.HeaderName()), 42u);
  const Bytes image = V5Image(table, TableKind::kExport);
  EXPECT_EQ(Bytes(image.begin(), image.begin() + 64), V5Header('A', "/E     ", std::string(40, 'x')));
}

TEST(V5PairImage, ExportImageThenImportImage) {
  CodeTable export_table(TableKind::kExport);
  CodeTable import_table(TableKind::kImport);
  FillAtRandom(export_table, 1);
  FillAtRandom(import_table, 2);
  export_table.BuildHeader(TableKind::kExport, "] EX");
  import_table.BuildHeader(TableKind::kImport, "] IM");
  const Bytes pair = V5PairImage(export_table, import_table);
  ASSERT_EQ(pair.size(), 2176u);
  EXPECT_EQ(Bytes(pair.begin(), pair.begin() + 1088), V5Image(export_table, TableKind::kExport));
  EXPECT_EQ(Bytes(pair.begin() + 1088, pair.end()), V5Image(import_table, TableKind::kImport));
  EXPECT_EQ(pair[13], 'A');
  EXPECT_EQ(pair[1088 + 13], 'E');
}

TEST(DecodeV5Image, RoundTripKeepsTargetsNameAndKind) {
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) {
    CodeTable table(kind);
    table.SetFontName("Courier New");
    FillAtRandom(table, 11 + static_cast<int>(kind));
    table.BuildHeader(kind, "Code Page 273/1141");
    const V5Table decoded = DecodeV5Image(V5Image(table, kind).data());
    EXPECT_EQ(decoded.Kind, kind);
    EXPECT_EQ(decoded.Name, "Code Page 273/1141");
    for (int p = 0; p < 256; ++p) EXPECT_EQ(decoded.Entries[p].Target, table.Target(p)) << p;
  }
}

TEST(DecodeV5Image, TargetsByLowByteOnlyMinusOneStaysOpen) {
  Bytes image = V5Header('A', "       ", "N");
  const uint16_t stored[] = {0xFFFF, 0x0141, 0xFF41, 0x00FF, 0xFFFE, 0x8000};
  const int16_t expected[] = {-1, 0x41, 0x41, 0xFF, 0xFE, 0x00};
  for (int p = 0; p < 256; ++p) {
    const uint16_t value = stored[p % 6];
    AppendEntry(image, value & 0xFF, value >> 8, 0x12, 0x34);
  }
  const V5Table decoded = DecodeV5Image(image.data());
  for (int p = 0; p < 256; ++p) EXPECT_EQ(decoded.Entries[p].Target, expected[p % 6]) << p;
}

TEST(DecodeV5Image, NameRules) {
  struct Case {
    std::string Text;  // from offset 21
    std::string Name;
  };
  const Case cases[] = {
      {"[Arial] DIN", "DIN"},
      {"] DIN", "DIN"},
      {"]xDIN", "DIN"},
      {"]", ""},
      {"] ", ""},
      {"no bracket", ""},
      {"", ""},
      {"a]] b]c", " b]c"},
      {std::string("no bracket\0 ] after NUL", 23), ""},
      {std::string("]\0text", 6), ""},
  };
  for (const Case& c : cases) {
    Bytes image(1088, 0);
    std::memcpy(image.data(), "QAVO CodeTab A", 14);
    std::memcpy(image.data() + 21, c.Text.data(), c.Text.size());
    EXPECT_EQ(DecodeV5Image(image.data()).Name, c.Name) << c.Text;
  }
}

TEST(DecodeV5Image, BracketBefore21IsNotSeen) {
  Bytes image(1088, 0);
  std::memcpy(image.data(), "QAVO CodeTab A] XYZ  abc", 24);
  EXPECT_EQ(DecodeV5Image(image.data()).Name, "");
}

TEST(DecodeV5Image, NameWithoutNulRunsIntoEntriesAndStopsAtNul) {
  Bytes image(1088, 'z');
  std::memcpy(image.data(), "QAVO CodeTab E", 14);
  image[21] = ']';
  image[100] = 0;
  const V5Table decoded = DecodeV5Image(image.data());
  EXPECT_EQ(decoded.Kind, TableKind::kImport);
  EXPECT_EQ(decoded.Name, std::string(100 - 23, 'z'));
}

TEST(DecodeV5Image, NameRunsToTheEndOfTheImage) {
  Bytes image(1088, 'z');
  std::memcpy(image.data(), "QAVO CodeTab A", 14);
  image[30] = ']';
  EXPECT_EQ(DecodeV5Image(image.data()).Name, std::string(1088 - 32, 'z'));
  image[1087] = ']';
  image[30] = 'z';
  EXPECT_EQ(DecodeV5Image(image.data()).Name, "");
}

TEST(DecodeV5Image, OtherLettersAreUnknown) {
  for (const char letter : {'I', 'U', ' ', 'a', 'e', '\0'}) {
    Bytes image(1088, 0);
    std::memcpy(image.data(), "QAVO CodeTab ", 13);
    image[13] = static_cast<uint8_t>(letter);
    EXPECT_EQ(DecodeV5Image(image.data()).Kind, TableKind::kUnknown) << letter;
  }
}

TEST(HasV5Signature, ComparesThirteenBytesWithinLength) {
  const uint8_t good[] = "QAVO CodeTab A";
  EXPECT_TRUE(HasV5Signature(good, 13));
  EXPECT_FALSE(HasV5Signature(good, 12));
  const uint8_t bad[] = "QAVO CodeTabX";
  EXPECT_FALSE(HasV5Signature(bad, 13));
  const uint8_t lower[] = "qavo codetab ";
  EXPECT_FALSE(HasV5Signature(lower, 13));
}

}  // namespace
