// Sample text through the EXPORT table and back through the IMPORT table.
#include "files/sampletext.h"

#include <gtest/gtest.h>

namespace {

class SampleText : public testing::Test {
 protected:
  void SetUp() override {
    export_table_.Assign('A', 0xC1);  // comes back
    import_table_.Assign(0xC1, 'A');
    export_table_.Assign('B', 0xC2);  // comes back as "b"
    import_table_.Assign(0xC2, 'b');
  }
  CodeTable export_table_{TableKind::kExport};
  CodeTable import_table_{TableKind::kImport};
};

TEST_F(SampleText, EachByteComesBackIsLostOrPassesUnassigned) {
  const SampleByte a = TranslateSampleByte('A', export_table_, import_table_);
  EXPECT_EQ(a.Host, 0xC1);
  EXPECT_EQ(a.Back, 'A');
  EXPECT_EQ(a.State, SampleState::kBack);
  const SampleByte b = TranslateSampleByte('B', export_table_, import_table_);
  EXPECT_EQ(b.Host, 0xC2);
  EXPECT_EQ(b.Back, 'b');
  EXPECT_EQ(b.State, SampleState::kLost);
  // Unassigned in EXPORT: the byte passes as it is, and IMPORT may still
  // change it on the way back: then it is lost all the same.
  import_table_.Assign('C', 'x');
  const SampleByte c = TranslateSampleByte('C', export_table_, import_table_);
  EXPECT_EQ(c.Host, 'C');
  EXPECT_EQ(c.Back, 'x');
  EXPECT_EQ(c.State, SampleState::kLost);
  const SampleByte d = TranslateSampleByte('D', export_table_, import_table_);
  EXPECT_EQ(d.Host, 'D');
  EXPECT_EQ(d.Back, 'D');
  EXPECT_EQ(d.State, SampleState::kUnassigned);
}

TEST_F(SampleText, CountsFollowFromHowOftenEachByteOccurs) {
  long long occurrences[256] = {};
  occurrences['A'] = 5;
  occurrences['B'] = 3;
  occurrences['Z'] = 2;
  occurrences['C'] = 4;
  occurrences[0xFF] = 7;
  import_table_.Assign('C', 'x');
  const SampleCounts counts = CountSample(occurrences, export_table_, import_table_);
  EXPECT_EQ(counts.Lost, 3 + 4);
  EXPECT_EQ(counts.Unassigned, 2 + 4 + 7);
}

}  // namespace
