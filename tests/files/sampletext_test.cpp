// Sample text through the EXPORT table and back through the IMPORT table.
#include "files/sampletext.h"

#include <gtest/gtest.h>

namespace {

class SampleText : public testing::Test {
 protected:
  void SetUp() override {
    exportTable.Assign('A', 0xC1);  // comes back
    importTable.Assign(0xC1, 'A');
    exportTable.Assign('B', 0xC2);  // comes back as "b"
    importTable.Assign(0xC2, 'b');
  }
  CodeTable exportTable{TableKind::kExport};
  CodeTable importTable{TableKind::kImport};
};

TEST_F(SampleText, EachByteComesBackIsLostOrPassesUnassigned) {
  const SampleByte a = TranslateSampleByte('A', exportTable, importTable);
  EXPECT_EQ(a.Host, 0xC1);
  EXPECT_EQ(a.Back, 'A');
  EXPECT_EQ(a.State, SampleState::Back);
  const SampleByte b = TranslateSampleByte('B', exportTable, importTable);
  EXPECT_EQ(b.Host, 0xC2);
  EXPECT_EQ(b.Back, 'b');
  EXPECT_EQ(b.State, SampleState::Lost);
  // Unassigned in EXPORT: the byte passes as it is, and IMPORT may still
  // change it on the way back: then it is lost all the same.
  importTable.Assign('C', 'x');
  const SampleByte c = TranslateSampleByte('C', exportTable, importTable);
  EXPECT_EQ(c.Host, 'C');
  EXPECT_EQ(c.Back, 'x');
  EXPECT_EQ(c.State, SampleState::Lost);
  const SampleByte d = TranslateSampleByte('D', exportTable, importTable);
  EXPECT_EQ(d.Host, 'D');
  EXPECT_EQ(d.Back, 'D');
  EXPECT_EQ(d.State, SampleState::Unassigned);
}

TEST_F(SampleText, CountsFollowFromHowOftenEachByteOccurs) {
  long long occurrences[256] = {};
  occurrences['A'] = 5;
  occurrences['B'] = 3;
  occurrences['Z'] = 2;
  occurrences['C'] = 4;
  occurrences[0xFF] = 7;
  importTable.Assign('C', 'x');
  const SampleCounts counts = CountSample(occurrences, exportTable, importTable);
  EXPECT_EQ(counts.Lost, 3 + 4);
  EXPECT_EQ(counts.Unassigned, 2 + 4 + 7);
}

}  // namespace
