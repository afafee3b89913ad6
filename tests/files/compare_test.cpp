#include "files/compare.h"

#include <gtest/gtest.h>

#include "model/presets.h"
#include "support/tablechecks.h"

namespace {

void Fill(TableEntry (&entries)[256], const uint8_t (&bytes)[256]) {
  for (int p = 0; p < 256; ++p) entries[p] = {bytes[p], -1};
}

TEST(CompareTables, EqualMappingsHaveNoDifference) {
  CodeTable table(TableKind::kExport);
  LoadBytes(table, kDinExport);
  TableEntry other[256];
  Fill(other, kDinExport);
  EXPECT_TRUE(CompareTables(table, other).empty());
}

TEST(CompareTables, DifferencesInPositionOrder) {
  CodeTable table(TableKind::kExport);
  LoadBytes(table, kDinExport);
  TableEntry other[256];
  Fill(other, kIsoCp37Export);
  const std::vector<Difference> differences = CompareTables(table, other);
  ASSERT_FALSE(differences.empty());
  EXPECT_EQ(differences.front().Position, 0x21);  // "!": 4F against 5A
  EXPECT_EQ(differences.front().ThisTarget, 0x4F);
  EXPECT_EQ(differences.front().OtherTarget, 0x5A);
  int count = 0;
  for (int p = 0; p < 256; ++p) count += kDinExport[p] != kIsoCp37Export[p];
  EXPECT_EQ(static_cast<int>(differences.size()), count);
  for (size_t i = 1; i < differences.size(); ++i) EXPECT_LT(differences[i - 1].Position, differences[i].Position);
}

TEST(CompareTables, UnassignedIsADifference) {
  CodeTable table(TableKind::kImport);
  table.Assign(0xC1, 0x41);
  TableEntry other[256];
  for (TableEntry& entry : other) entry = {-1, -1};
  other[0xC1] = {0x41, 0};
  other[0xFF] = {0x9F, 0};
  const std::vector<Difference> differences = CompareTables(table, other);
  ASSERT_EQ(differences.size(), 1u);
  EXPECT_EQ(differences[0].Position, 0xFF);
  EXPECT_EQ(differences[0].ThisTarget, -1);
  EXPECT_EQ(differences[0].OtherTarget, 0x9F);
}

}  // namespace
